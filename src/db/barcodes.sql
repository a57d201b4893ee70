-- Barcode labels and the staging of what the readers captured in the field.
-- CKHP numbers the extinguisher labels: every printed label takes the next value, so two
-- workstations printing at once never share a number.
CREATE SEQUENCE CKHP;

-- What one reader file gave, one row per customer (TYPVET 10), object (11), extinguisher
-- (1) or column caption (99) in reading order (the key gives the order). Customer rows
-- keep the customer's name in ZNACKA, the site text in OPRTEXT and the technician's
-- name in STAV for display; the office completes the rows before they become
-- inspections.
CREATE TABLE VSTCARKOD (
  UNCIS INTEGER NOT NULL,
  TYPVET INTEGER,
  DATUM DATE,
  UNCTECH INTEGER DEFAULT 0,
  UNCTECH2 INTEGER DEFAULT 0,
  FIRCK INTEGER DEFAULT 0,
  UNCFIR INTEGER DEFAULT 0,
  UNCSTR INTEGER DEFAULT 0,
  OBJCK INTEGER DEFAULT 0,
  OBJEKT VARCHAR(20),
  MISTO VARCHAR(120),
  ZNACKA VARCHAR(170),
  OPRTEXT VARCHAR(250),
  DRUH VARCHAR(20),
  HP VARCHAR(80),
  VYROBCE VARCHAR(40),
  VYRCIS VARCHAR(30),
  HPCK INTEGER DEFAULT 0,
  STAV VARCHAR(80),
  POZN VARCHAR(250),
  ROK INTEGER,
  STATUS INTEGER DEFAULT 0,
  PREDILNA CHAR(1) DEFAULT 'N',
  PREVYRAZ CHAR(1) DEFAULT 'N',
  UNCCEN INTEGER DEFAULT 0,
  PORADI INTEGER DEFAULT 0,
  POSDIL INTEGER,
  CARKOD INTEGER DEFAULT 0,
  CONSTRAINT PK_VSTCARKOD PRIMARY KEY (UNCIS)
);
CREATE SEQUENCE VSTCARKOD;
