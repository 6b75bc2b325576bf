-- Passwords are kept as salted hashes; the old 8-character column stays for tills of the
-- earlier release and holds no password once its account has been hashed.
ALTER TABLE tblUsers ADD COLUMN IF NOT EXISTS PASSWORD_HASH VARCHAR(255) NULL,
  ALGORITHM=INPLACE, LOCK=NONE;
