-- The key a till gives a sale when its basket starts: asked for after a lost connection, so a
-- sale whose commit answer never arrived is not recorded a second time.
ALTER TABLE `tblSalesTransactions` ADD COLUMN IF NOT EXISTS `SALE_KEY` CHAR(36) NULL DEFAULT NULL;
CREATE UNIQUE INDEX IF NOT EXISTS `idx_sales_sale_key` ON `tblSalesTransactions` (`SALE_KEY`);
