-- Sales history and reports select sales by their time.
ALTER TABLE `tblSalesTransactions`
  ADD INDEX IF NOT EXISTS `idx_sales_time_stamp` (`TIME_STAMP` ASC),
  ALGORITHM = INPLACE, LOCK = NONE;
