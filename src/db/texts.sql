-- The library of defined texts: formatted paragraphs the inspection reports and
-- delivery notes insert. TEXT holds RTF as a Windows rich-edit control writes it (7-bit
-- text, Czech letters as \'xx escapes); older rows may hold plain text. A row with a
-- KOD belongs to the program, which finds it by that code; users cannot remove it.
CREATE TABLE TEXTY (
  UNCIS INTEGER NOT NULL,
  KOD VARCHAR(20),
  POPIS VARCHAR(80) COLLATE PXW_CSY,
  TEXT BLOB SUB_TYPE TEXT,
  KDY TIMESTAMP,
  KDO VARCHAR(8),
  KLIC INTEGER DEFAULT 0,
  CONSTRAINT PK_TEXTY PRIMARY KEY (UNCIS)
);
CREATE SEQUENCE TEXTY;
CREATE INDEX IX_TEXTY_POPIS ON TEXTY (POPIS);

SET TERM ^ ;
CREATE TRIGGER TEXTYTRIGBIKDY FOR TEXTY BEFORE INSERT POSITION 0 AS BEGIN IF(GEN_ID(STOPTRIG, 0)=0) THEN NEW.KDY = 'NOW'; END^
CREATE TRIGGER TEXTYTRIGBPKDY FOR TEXTY BEFORE UPDATE POSITION 0 AS BEGIN IF(GEN_ID(STOPTRIG, 0)=0) THEN NEW.KDY = 'NOW'; END^
SET TERM ; ^
