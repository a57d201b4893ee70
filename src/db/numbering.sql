-- Document number series.
-- A series is a code, a name and a format; it counts in a generator of its own named
-- "X" + KOD, which the series window creates, resets and drops with the row (the code
-- is therefore letters, digits and underscore only, upper case). FORMAT: "#" the
-- number, "&" the working year, "@" the working month, "%" the technician code, "?"
-- before one of them: that part is asked from the user; anything else is copied.
CREATE TABLE DOKRAD (
  UNCIS INTEGER NOT NULL,
  KOD VARCHAR(10),
  POPIS VARCHAR(60) COLLATE PXW_CSY,
  FORMAT VARCHAR(20),
  KDY TIMESTAMP,
  KDO VARCHAR(8),
  KLIC INTEGER DEFAULT 0,
  CONSTRAINT PK_DOKRAD PRIMARY KEY (UNCIS)
);
CREATE SEQUENCE DOKRAD;

SET TERM ^ ;
CREATE TRIGGER DOKRADTRIGBIKDY FOR DOKRAD BEFORE INSERT POSITION 0 AS BEGIN IF(GEN_ID(STOPTRIG, 0)=0) THEN NEW.KDY = 'NOW'; END^
CREATE TRIGGER DOKRADTRIGBPKDY FOR DOKRAD BEFORE UPDATE POSITION 0 AS BEGIN IF(GEN_ID(STOPTRIG, 0)=0) THEN NEW.KDY = 'NOW'; END^
SET TERM ; ^
