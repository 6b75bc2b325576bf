-- A drawer counted note by note: how many of each denomination went into a cash-up's counted
-- cash. A cash-up typed as one amount has no rows here.
CREATE TABLE IF NOT EXISTS `tblCashUpCounts` (
  `CASH_UP_ID` INT NOT NULL,
  `DENOMINATION` DECIMAL(14,2) NOT NULL,
  `COUNTED` INT NOT NULL,
  PRIMARY KEY (`CASH_UP_ID`, `DENOMINATION`))
ENGINE = InnoDB
DEFAULT CHARACTER SET = utf8mb4;
