-- The project database's schema at version 2, as the program before the correlation choices,
-- capillary pressure and LET columns created it; the schema upgrade tests build a version-2
-- database from it.
-- Fluvarex project database. One row per project in tblProject and one in each of the seven data
-- tables, all keyed by PrjID. Temperatures are stored in °F; phase flags as 1 or 0.
-- Bump the version in meta (and kSchemaVersion in store/ProjectSchema.h) with every change here,
-- and add the step that brings a database of the version before up to it (store/ProjectSchema.cpp).
-- Version 2 added tblLabData.

CREATE TABLE meta (
  key   TEXT PRIMARY KEY NOT NULL,
  value TEXT
);
INSERT INTO meta (key, value) VALUES ('schema_version', '2');

CREATE TABLE tblProject (
  PrjID      INTEGER PRIMARY KEY AUTOINCREMENT,
  PrjName    TEXT COLLATE NOCASE,
  DateCreate TEXT NOT NULL DEFAULT (datetime('now', 'localtime')),
  CreatedBy  TEXT,
  PrjDesc    TEXT
);
CREATE INDEX idxProjectName ON tblProject (PrjName);

CREATE TABLE tblFluidSpec (
  PrjID        INTEGER PRIMARY KEY REFERENCES tblProject (PrjID),
  PhaseOil     INTEGER,
  PhaseGas     INTEGER,
  PhaseWater   INTEGER,
  StdPressure  REAL,
  StdTemp      REAL,
  StdTempUnits TEXT,
  RESTEMP      REAL,
  ResTempUnits TEXT
);

CREATE TABLE tblPressureSpec (
  PrjID   INTEGER PRIMARY KEY REFERENCES tblProject (PrjID),
  PrRange TEXT,
  MinPr   REAL,
  InitPr  REAL,
  MaxPr   REAL,
  p1 REAL, p2 REAL, p3 REAL, p4 REAL, p5 REAL, p6 REAL, p7 REAL, p8 REAL, p9 REAL,
  p10 REAL, p11 REAL, p12 REAL, p13 REAL, p14 REAL, p15 REAL, p16 REAL, p17 REAL, p18 REAL
);

CREATE TABLE tblOilGravity (
  PrjID      INTEGER PRIMARY KEY REFERENCES tblProject (PrjID),
  API        REAL,
  SpecGrav   REAL,
  SepGasGrav REAL,
  SepP       REAL,
  SepT       REAL,
  SepTUnits  TEXT,
  InitGO     REAL,
  BPP        REAL
);

CREATE TABLE tblGasComp (
  PrjID      INTEGER PRIMARY KEY REFERENCES tblProject (PrjID),
  GasEntry   TEXT,
  GasGrav    REAL,
  MFnitrogen REAL,
  mfCO2      REAL,
  mfH2S      REAL,
  gc1 REAL, gc2 REAL, gc3 REAL, gc4 REAL, gc5 REAL, gc6 REAL, gc7 REAL, gc8 REAL,
  gc9 REAL, gc10 REAL, gc11 REAL, gc12 REAL, gc13 REAL, gc14 REAL, gc15 REAL
);

CREATE TABLE tblWater (
  PrjID       INTEGER PRIMARY KEY REFERENCES tblProject (PrjID),
  PPMSalinity INTEGER,
  PERSalinity REAL
);

CREATE TABLE tblRock (
  PrjID     INTEGER PRIMARY KEY REFERENCES tblProject (PrjID),
  RockType  INTEGER,
  DrainType INTEGER,
  LithType  INTEGER,
  WetType   INTEGER,
  CorrType  INTEGER,
  SWC       REAL,
  SORW      REAL,
  SORG      REAL,
  SGCrit    REAL,
  CoreyK    REAL,
  CoreyN    REAL,
  HRPoro    REAL,
  HRAir     REAL,
  HRKrg     REAL
);

-- Laboratory values at the bubble point (psia, scf/stb, rb/stb, cp); Null where not measured.
CREATE TABLE tblLabData (
  PrjID   INTEGER PRIMARY KEY REFERENCES tblProject (PrjID),
  LabPb   REAL,
  LabRsb  REAL,
  LabBob  REAL,
  LabMuob REAL
);
