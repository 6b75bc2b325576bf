-- blocking: SELECT t.TABLE_NAME, t.TABLE_ROWS FROM information_schema.TABLES t WHERE t.TABLE_SCHEMA = DATABASE() AND t.TABLE_NAME IN ('tblProductCategories', 'tblProducts', 'tblVendors', 'tblInventory', 'tblUsers', 'tblPOrders', 'tblPODetails', 'tblQuillbox', 'tblCustomers', 'tblSalesTransactions', 'tblSalesInvoice') AND (t.TABLE_COLLATION NOT LIKE 'utf8mb4%' OR EXISTS (SELECT 1 FROM information_schema.COLUMNS c WHERE c.TABLE_SCHEMA = t.TABLE_SCHEMA AND c.TABLE_NAME = t.TABLE_NAME AND c.CHARACTER_SET_NAME <> 'utf8mb4')) ORDER BY t.TABLE_NAME
-- Any text a user can type, emoji included, is stored as typed: the schema and each table of the
-- first release that still uses a narrower character set move to utf8mb4. Each such table is
-- copied, which locks it. Later tables chose their character sets themselves and keep them.
ALTER DATABASE CHARACTER SET utf8mb4;
BEGIN NOT ATOMIC
  DECLARE done INT DEFAULT 0;
  DECLARE tableName VARCHAR(64);
  DECLARE narrow CURSOR FOR
    SELECT t.TABLE_NAME FROM information_schema.TABLES t
    WHERE t.TABLE_SCHEMA = DATABASE()
      AND t.TABLE_NAME IN ('tblProductCategories', 'tblProducts', 'tblVendors', 'tblInventory',
                           'tblUsers', 'tblPOrders', 'tblPODetails', 'tblQuillbox', 'tblCustomers',
                           'tblSalesTransactions', 'tblSalesInvoice')
      AND (t.TABLE_COLLATION NOT LIKE 'utf8mb4%'
           OR EXISTS (SELECT 1 FROM information_schema.COLUMNS c
                      WHERE c.TABLE_SCHEMA = t.TABLE_SCHEMA AND c.TABLE_NAME = t.TABLE_NAME
                        AND c.CHARACTER_SET_NAME <> 'utf8mb4'))
    ORDER BY t.TABLE_NAME;
  DECLARE CONTINUE HANDLER FOR NOT FOUND SET done = 1;
  OPEN narrow;
  convert_tables: LOOP
    FETCH narrow INTO tableName;
    IF done THEN
      LEAVE convert_tables;
    END IF;
    EXECUTE IMMEDIATE CONCAT('ALTER TABLE `', REPLACE(tableName, '`', '``'),
                             '` CONVERT TO CHARACTER SET utf8mb4');
  END LOOP;
  CLOSE narrow;
END;
