-- The key a till gives a sale when its basket starts: asked for after a lost connection, so a
-- sale whose commit answer never arrived is not recorded a second time.
ALTER TABLE `tblSalesTransactions` ADD COLUMN IF NOT EXISTS `SALE_KEY` CHAR(36) NULL DEFAULT NULL,
  ALGORITHM = INPLACE, LOCK = NONE;
ALTER TABLE `tblSalesTransactions` ADD UNIQUE INDEX IF NOT EXISTS `idx_sales_sale_key` (`SALE_KEY`),
  ALGORITHM = INPLACE, LOCK = NONE;
