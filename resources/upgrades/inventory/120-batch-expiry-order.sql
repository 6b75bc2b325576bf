-- Lets the batch picker list the batches of each product by expiry without sorting them all.
CREATE INDEX IF NOT EXISTS `PRODUCT_EXPIRY_idx` ON `tblInventory` (`PRODUCT_ID`, `EXPIRY_DATE`) ALGORITHM=INPLACE LOCK=NONE;
