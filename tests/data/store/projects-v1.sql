-- A project database of schema version 1 (before tblLabData), with three projects as that version
-- stored them: one with a pressure range, one with individual pressures and a gas composition, one
-- without water. Loaded by the store tests to check the upgrade.

CREATE TABLE meta (
  key   TEXT PRIMARY KEY NOT NULL,
  value TEXT
);
INSERT INTO meta (key, value) VALUES ('schema_version', '1');

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

INSERT INTO tblProject (PrjID, PrjName, DateCreate, CreatedBy, PrjDesc) VALUES
  (1, 'North Flank', '2025-03-14 09:26:53', 'A. Engineer', 'Appraisal well fluids'),
  (2, 'Deep Gas', '2025-06-02 16:05:11', 'B. Engineer', 'Composition from the separator sample'),
  (4, 'Heavy Oil', '2026-01-20 08:00:00', NULL, NULL);

INSERT INTO tblFluidSpec VALUES
  (1, 1, 1, 1, 14.7, 60, 'F', 210, 'F'),
  (2, 1, 1, 1, 14.696, 15.56, 'C', 121.5, 'C'),
  (4, 1, 1, 0, 14.7, 60, 'F', 135, 'F');

INSERT INTO tblPressureSpec (PrjID, PrRange, MinPr, InitPr, MaxPr) VALUES
  (1, 'R', 14.7, 3200, 5000),
  (4, 'R', 100, 1250.5, 2500);
INSERT INTO tblPressureSpec VALUES
  (2, 'I', 14.7, 4500, 6000, 14.7, 250, 500, 750, 1000, 1500, 2000, 2500, 3000, 3500, 4000, 4500,
   5000, 5500, 6000, NULL, NULL, NULL);

INSERT INTO tblOilGravity VALUES
  (1, 35, 0.8498, 0.9, 50, 75, 'F', 683.9, 2478.43),
  (2, 42.5, 0.8132, 0.75, 100, 26.67, 'C', 950, 2890.12),
  (4, 14.2, 0.9718, 0.68, 35, 80, 'F', 120.5, 1182.77);

INSERT INTO tblGasComp (PrjID, GasEntry, GasGrav, MFnitrogen, mfCO2, mfH2S) VALUES
  (1, 'G', 0.75, 0.01, 0.02, 0),
  (4, 'G', 0.6, 0, 0.005, 0);
INSERT INTO tblGasComp VALUES
  (2, 'C', 0.7, 0, 0, 0, 0.005, 0.012, 0, 0.805, 0.075, 0.042, 0.011, 0.018, 0.008, 0.007, 0.006,
   0.005, 0.004, 0.002, 0);

INSERT INTO tblWater VALUES
  (1, 35000, 3.5),
  (2, 120000, 12),
  (4, 0, 0);

INSERT INTO tblRock VALUES
  (1, 0, 0, 0, 0, 0, 0.2, 0.25, 0.05, 0.03, 0.5, 2, 0.22, 150, 0.8),
  (2, 1, 1, 1, 0, 1, 0.15, 0.3, 0.1, 0.05, 0.4, 3, 0.18, 50, 0.7),
  (4, 0, 0, 0, 1, 0, 0.3, 0.2, 0.15, 0.04, 0.6, 2.5, 0.28, 2000, 0.9);
