-- Framework objects every database has.

-- Non-zero while an import from the transfer database writes rows: blocks the
-- creation of records on every workstation.
CREATE SEQUENCE STOPTRIG;

-- Program parameters shared by all workstations (item name, value as text).
CREATE TABLE QELSYS (
  POLOZKA VARCHAR(40) NOT NULL,
  HODNOTA VARCHAR(250),
  CONSTRAINT PK_QELSYS PRIMARY KEY (POLOZKA)
);

-- The schema version of a freshly created database.
INSERT INTO QELSYS (POLOZKA, HODNOTA) VALUES ('eVerDat', '80808');
