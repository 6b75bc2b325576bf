-- Products and vendors sorted and searched by name, code, tax rate or description on the server.
ALTER TABLE `tblProducts`
  ADD INDEX IF NOT EXISTS `NAME_idx` (`NAME` ASC),
  ADD INDEX IF NOT EXISTS `ITEMS_PER_UNIT_idx` (`ITEMS_PER_UNIT` ASC),
  ADD INDEX IF NOT EXISTS `DESCRIPTION_idx` (`DESCRIPTION` ASC),
  ADD INDEX IF NOT EXISTS `TAX_RATE_idx` (`TAX_RATE` ASC),
  ALGORITHM = INPLACE, LOCK = NONE;
ALTER TABLE `tblVendors`
  ADD INDEX IF NOT EXISTS `NAME_idx` (`NAME` ASC),
  ALGORITHM = INPLACE, LOCK = NONE;
