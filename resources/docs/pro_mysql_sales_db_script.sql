SET @OLD_UNIQUE_CHECKS=@@UNIQUE_CHECKS, UNIQUE_CHECKS=0;
SET @OLD_FOREIGN_KEY_CHECKS=@@FOREIGN_KEY_CHECKS, FOREIGN_KEY_CHECKS=0;
SET @OLD_SQL_MODE=@@SQL_MODE, SQL_MODE='TRADITIONAL,ALLOW_INVALID_DATES';

CREATE SCHEMA IF NOT EXISTS `quillboxsales` DEFAULT CHARACTER SET utf8mb4 ;
USE `quillboxsales` ;

-- -----------------------------------------------------
-- Table `quillboxsales`.`tblSalesTransactions`
-- -----------------------------------------------------
DROP TABLE IF EXISTS `quillboxsales`.`tblSalesTransactions` ;

CREATE TABLE IF NOT EXISTS `quillboxsales`.`tblSalesTransactions` (
  `ID` INT(11) NOT NULL AUTO_INCREMENT,
  `USER_ID` VARCHAR(50) NOT NULL,
  `CUSTOMER_ID` VARCHAR(100) NULL DEFAULT NULL,
  `TIME_STAMP` DATETIME NOT NULL,
  `GRAND_TOTAL` DOUBLE NOT NULL,
  `PAID` DOUBLE NOT NULL,
  `RETURN_AMOUNT` DOUBLE NOT NULL,
  PRIMARY KEY (`ID`),
  INDEX `idx_sales_time_stamp` (`TIME_STAMP` ASC))
ENGINE = InnoDB
AUTO_INCREMENT = 2
DEFAULT CHARACTER SET = utf8mb4;

-- -----------------------------------------------------
-- Table `quillboxsales`.`tblSalesInvoice`
-- -----------------------------------------------------
DROP TABLE IF EXISTS `quillboxsales`.`tblSalesInvoice` ;

CREATE TABLE IF NOT EXISTS `quillboxsales`.`tblSalesInvoice` (
  `ID` INT(11) NOT NULL AUTO_INCREMENT,
  `TRANSACTION_ID` INT(11) NOT NULL,
  `ITEM_INDEX` INT(11) NOT NULL,
  `PRODUCT_NAME` VARCHAR(50) NOT NULL,
  `QUANTITY` INT(11) NOT NULL,
  `PURCHASE_PRICE` DOUBLE NOT NULL,
  `SALE_PRICE` DOUBLE NOT NULL,
  `SUB_ITEMS` VARCHAR(8) NOT NULL,
  `DISCOUNT` DOUBLE NOT NULL,
  `SUB_TOTAL` DOUBLE NOT NULL,
  `PURCHASE_SUB_TOTAL` DOUBLE NOT NULL,
  PRIMARY KEY (`ID`),
  INDEX `TRANSACTION_ID` (`TRANSACTION_ID` ASC),
  CONSTRAINT `tblsalesinvoice_ibfk_1`
    FOREIGN KEY (`TRANSACTION_ID`)
    REFERENCES `quillboxsales`.`tblSalesTransactions` (`ID`))
ENGINE = InnoDB
AUTO_INCREMENT = 3
DEFAULT CHARACTER SET = utf8mb4;

-- -----------------------------------------------------
-- Table `quillboxsales`.`tblQuillbox`
-- -----------------------------------------------------
DROP TABLE IF EXISTS `quillboxsales`.`tblQuillbox` ;

CREATE TABLE IF NOT EXISTS `quillboxsales`.`tblQuillbox` (
  `ID` INT NOT NULL AUTO_INCREMENT,
  `DB_VERSION` VARCHAR(50) NOT NULL,
  PRIMARY KEY (`ID`))
ENGINE = InnoDB
DEFAULT CHARACTER SET = utf8mb4;

INSERT INTO `quillboxsales`.`tblQuillbox` (`ID`, `DB_VERSION`) VALUES (1, 'SALES_7.0.0');

USE `quillboxsales` ;

SET SQL_MODE=@OLD_SQL_MODE;
SET FOREIGN_KEY_CHECKS=@OLD_FOREIGN_KEY_CHECKS;
SET UNIQUE_CHECKS=@OLD_UNIQUE_CHECKS;
