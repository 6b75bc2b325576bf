SET @OLD_UNIQUE_CHECKS=@@UNIQUE_CHECKS, UNIQUE_CHECKS=0;
SET @OLD_FOREIGN_KEY_CHECKS=@@FOREIGN_KEY_CHECKS, FOREIGN_KEY_CHECKS=0;
SET @OLD_SQL_MODE=@@SQL_MODE, SQL_MODE='TRADITIONAL,ALLOW_INVALID_DATES';

CREATE SCHEMA IF NOT EXISTS `QuillboxInventory` DEFAULT CHARACTER SET utf8mb4 ;
USE `QuillboxInventory` ;

-- -----------------------------------------------------
-- Table `QuillboxInventory`.`tblProductCategories`
-- -----------------------------------------------------
DROP TABLE IF EXISTS `QuillboxInventory`.`tblProductCategories` ;

CREATE TABLE IF NOT EXISTS `QuillboxInventory`.`tblProductCategories` (
  `ID` INT NOT NULL AUTO_INCREMENT,
  `NAME` VARCHAR(50) NOT NULL,
  PRIMARY KEY (`ID`),
  UNIQUE INDEX `NAME_UNIQUE` (`NAME` ASC))
DEFAULT CHARACTER SET = utf8mb4;

-- -----------------------------------------------------
-- Table `QuillboxInventory`.`tblProducts`
-- -----------------------------------------------------
DROP TABLE IF EXISTS `QuillboxInventory`.`tblProducts` ;

CREATE TABLE IF NOT EXISTS `QuillboxInventory`.`tblProducts` (
  `ID` INT NOT NULL AUTO_INCREMENT,
  `CATEGORY_ID` INT NOT NULL,
  `PRODUCT_CODE` VARCHAR(50) NOT NULL,
  `NAME` VARCHAR(150) NOT NULL,
  `ITEMS_PER_UNIT` INT NOT NULL,
  `DESCRIPTION` VARCHAR(250) NULL DEFAULT NULL,
  `IMAGE_FILE` VARCHAR(150) NULL DEFAULT NULL,
  `TAX_RATE` DOUBLE NOT NULL DEFAULT 0,
  PRIMARY KEY (`ID`),
  UNIQUE INDEX `PRODUCT_CODE_UNIQUE` (`PRODUCT_CODE` ASC),
  INDEX `fk_{A0642C07-12A6-4F15-A81C-AF1FE644790B}` (`CATEGORY_ID` ASC),
  INDEX `NAME_idx` (`NAME` ASC),
  INDEX `ITEMS_PER_UNIT_idx` (`ITEMS_PER_UNIT` ASC),
  INDEX `DESCRIPTION_idx` (`DESCRIPTION` ASC),
  INDEX `TAX_RATE_idx` (`TAX_RATE` ASC),
  CONSTRAINT `fk_{A0642C07-12A6-4F15-A81C-AF1FE644790B}`
    FOREIGN KEY (`CATEGORY_ID`)
    REFERENCES `QuillboxInventory`.`tblProductCategories` (`ID`)
    ON DELETE RESTRICT
    ON UPDATE RESTRICT)
DEFAULT CHARACTER SET = utf8mb4;

-- -----------------------------------------------------
-- Table `QuillboxInventory`.`tblVendors`
-- -----------------------------------------------------
DROP TABLE IF EXISTS `QuillboxInventory`.`tblVendors` ;

CREATE TABLE IF NOT EXISTS `QuillboxInventory`.`tblVendors` (
  `ID` INT NOT NULL AUTO_INCREMENT,
  `NAME` VARCHAR(50) NOT NULL,
  `ADDRESS` VARCHAR(200) NULL DEFAULT NULL,
  `EMAIL` VARCHAR(200) NULL DEFAULT NULL,
  `CONTACT_NUMBER` VARCHAR(50) NULL DEFAULT NULL,
  PRIMARY KEY (`ID`),
  INDEX `NAME_idx` (`NAME` ASC))
DEFAULT CHARACTER SET = utf8mb4;

-- -----------------------------------------------------
-- Table `QuillboxInventory`.`tblInventory`
-- -----------------------------------------------------
DROP TABLE IF EXISTS `QuillboxInventory`.`tblInventory` ;

CREATE TABLE IF NOT EXISTS `QuillboxInventory`.`tblInventory` (
  `ID` INT NOT NULL AUTO_INCREMENT,
  `PRODUCT_ID` INT NOT NULL,
  `VENDOR_ID` INT NOT NULL,
  `BAR_CODE` VARCHAR(100) NOT NULL,
  `BATCH_NUMBER` VARCHAR(100) NOT NULL,
  `EXPIRY_DATE` DATE NOT NULL,
  `STORAGE_LOCATION` VARCHAR(50) NULL DEFAULT NULL,
  `PURCHASE_PRICE` DOUBLE NOT NULL,
  `SALE_PRICE` DOUBLE NOT NULL,
  `QUANTITY` INT NOT NULL,
  `SUB_ITEMS` INT NOT NULL,
  `SHOW_ON_POS` INT NOT NULL,
  `DISCOUNT` DOUBLE NOT NULL,
  PRIMARY KEY (`ID`),
  UNIQUE INDEX `BAR_CODE_UNIQUE` (`BAR_CODE` ASC),
  INDEX `fk_{EFEE3CBC-864C-45F3-BF85-9C09515AA4F6}` (`PRODUCT_ID` ASC),
  INDEX `fk_{6334EB7F-14F1-4C90-8923-8FA836660088}` (`VENDOR_ID` ASC),
  INDEX `BATCH_NUMBER_idx` (`BATCH_NUMBER` ASC),
  INDEX `EXPIRY_DATE_idx` (`EXPIRY_DATE` ASC),
  INDEX `PRODUCT_EXPIRY_idx` (`PRODUCT_ID` ASC, `EXPIRY_DATE` ASC),
  INDEX `STORAGE_LOCATION_idx` (`STORAGE_LOCATION` ASC),
  INDEX `QUANTITY_idx` (`QUANTITY` ASC),
  INDEX `SUB_ITEMS_idx` (`SUB_ITEMS` ASC),
  INDEX `PURCHASE_PRICE_idx` (`PURCHASE_PRICE` ASC),
  INDEX `SALE_PRICE_idx` (`SALE_PRICE` ASC),
  INDEX `SHOW_ON_POS_idx` (`SHOW_ON_POS` ASC),
  INDEX `DISCOUNT_idx` (`DISCOUNT` ASC),
  CONSTRAINT `fk_{EFEE3CBC-864C-45F3-BF85-9C09515AA4F6}`
    FOREIGN KEY (`PRODUCT_ID`)
    REFERENCES `QuillboxInventory`.`tblProducts` (`ID`),
  CONSTRAINT `fk_{6334EB7F-14F1-4C90-8923-8FA836660088}`
    FOREIGN KEY (`VENDOR_ID`)
    REFERENCES `QuillboxInventory`.`tblVendors` (`ID`))
DEFAULT CHARACTER SET = utf8mb4;

-- -----------------------------------------------------
-- Table `QuillboxInventory`.`tblUsers`
-- -----------------------------------------------------
DROP TABLE IF EXISTS `QuillboxInventory`.`tblUsers` ;

CREATE TABLE IF NOT EXISTS `QuillboxInventory`.`tblUsers` (
  `ID` INT NOT NULL AUTO_INCREMENT,
  `FIRST_NAME` VARCHAR(50) NOT NULL,
  `LAST_NAME` VARCHAR(50) NOT NULL,
  `LOGIN_NAME` VARCHAR(50) NOT NULL,
  `PASSWORD` VARCHAR(8) NOT NULL,
  `ROLE` VARCHAR(50) NOT NULL,
  `PASSWORD_HASH` VARCHAR(255) NULL,
  PRIMARY KEY (`ID`),
  UNIQUE INDEX `LOGIN_NAME_UNIQUE` (`LOGIN_NAME` ASC))
DEFAULT CHARACTER SET = utf8mb4;

-- -----------------------------------------------------
-- Table `QuillboxInventory`.`tblPOrders`
-- -----------------------------------------------------
DROP TABLE IF EXISTS `QuillboxInventory`.`tblPOrders` ;

CREATE TABLE IF NOT EXISTS `QuillboxInventory`.`tblPOrders` (
  `ID` INT NOT NULL AUTO_INCREMENT,
  `VENDOR_ID` INT NOT NULL,
  `STATUS` VARCHAR(20) NOT NULL,
  `SENT_DATE` DATE NULL,
  `DELIVERY_DATE` DATE NULL,
  `SUB_TOTAL` DOUBLE NULL,
  `SALES_TAX` DOUBLE NULL,
  `TOTAL` DOUBLE NULL,
  `NOTES` VARCHAR(250) NULL,
  PRIMARY KEY (`ID`),
  UNIQUE INDEX `ID_UNIQUE` (`ID` ASC),
  INDEX `VENDOR_ID_idx` (`VENDOR_ID` ASC),
  INDEX `PO_STATUS_idx` (`STATUS` ASC),
  INDEX `PO_SENT_DATE_idx` (`SENT_DATE` ASC),
  INDEX `PO_DELIVERY_DATE_idx` (`DELIVERY_DATE` ASC),
  INDEX `PO_SUB_TOTAL_idx` (`SUB_TOTAL` ASC),
  INDEX `PO_SALES_TAX_idx` (`SALES_TAX` ASC),
  INDEX `PO_TOTAL_idx` (`TOTAL` ASC),
  CONSTRAINT `FK_VENDOR_ID`
    FOREIGN KEY (`VENDOR_ID`)
    REFERENCES `QuillboxInventory`.`tblVendors` (`ID`)
    ON DELETE NO ACTION
    ON UPDATE NO ACTION)
ENGINE = InnoDB
DEFAULT CHARACTER SET = utf8mb4;

-- -----------------------------------------------------
-- Table `QuillboxInventory`.`tblPODetails`
-- -----------------------------------------------------
DROP TABLE IF EXISTS `QuillboxInventory`.`tblPODetails` ;

CREATE TABLE IF NOT EXISTS `QuillboxInventory`.`tblPODetails` (
  `ID` INT NOT NULL AUTO_INCREMENT,
  `PORDER_ID` INT NOT NULL,
  `ITEM_CODE` VARCHAR(50) NOT NULL,
  `QUANTITY` INT NOT NULL,
  `ITEM_NAME` VARCHAR(250) NOT NULL,
  `UNIT_PRICE` DOUBLE NOT NULL,
  `LINE_TOTAL` DOUBLE NOT NULL,
  `SALE_PRICE` DOUBLE NOT NULL,
  `BATCH_NUMBER` VARCHAR(100) NOT NULL,
  `EXPIRY_DATE` DATE NOT NULL,
  `STORAGE_LOCATION` VARCHAR(50) NULL,
  PRIMARY KEY (`ID`),
  UNIQUE INDEX `ID_UNIQUE` (`ID` ASC),
  INDEX `FK_PORDER_ID_idx` (`PORDER_ID` ASC),
  CONSTRAINT `FK_PORDER_ID`
    FOREIGN KEY (`PORDER_ID`)
    REFERENCES `QuillboxInventory`.`tblPOrders` (`ID`)
    ON DELETE NO ACTION
    ON UPDATE NO ACTION)
ENGINE = InnoDB
DEFAULT CHARACTER SET = utf8mb4;

-- -----------------------------------------------------
-- Table `QuillboxInventory`.`tblQuillbox`
-- -----------------------------------------------------
DROP TABLE IF EXISTS `QuillboxInventory`.`tblQuillbox` ;

CREATE TABLE IF NOT EXISTS `QuillboxInventory`.`tblQuillbox` (
  `ID` INT NOT NULL AUTO_INCREMENT,
  `DB_VERSION` VARCHAR(45) NOT NULL,
  PRIMARY KEY (`ID`),
  UNIQUE INDEX `ID_UNIQUE` (`ID` ASC),
  UNIQUE INDEX `DB_VERSION_UNIQUE` (`DB_VERSION` ASC))
ENGINE = InnoDB
DEFAULT CHARACTER SET = utf8mb4;

INSERT INTO `QuillboxInventory`.`tblQuillbox` (`ID`, `DB_VERSION`) VALUES (1, 'INVENTORY_7.0.0');

-- -----------------------------------------------------
-- Table `QuillboxInventory`.`tblCustomers`
-- -----------------------------------------------------
DROP TABLE IF EXISTS `QuillboxInventory`.`tblCustomers` ;

CREATE TABLE IF NOT EXISTS `QuillboxInventory`.`tblCustomers` (
  `ID` INT NOT NULL AUTO_INCREMENT,
  `NAME` VARCHAR(50) NOT NULL,
  `ADDRESS` VARCHAR(200) NULL DEFAULT NULL,
  `EMAIL` VARCHAR(200) NULL DEFAULT NULL,
  `CONTACT_NUMBER` VARCHAR(50) NULL DEFAULT NULL,
  PRIMARY KEY (`ID`))
DEFAULT CHARACTER SET = utf8mb4;

USE `QuillboxInventory` ;

SET SQL_MODE=@OLD_SQL_MODE;
SET FOREIGN_KEY_CHECKS=@OLD_FOREIGN_KEY_CHECKS;
SET UNIQUE_CHECKS=@OLD_UNIQUE_CHECKS;
