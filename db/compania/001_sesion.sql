/* Session tables of a company database: the schema revision shown in the
   main window, the users working in this company and the agencies. */

-- Flags are one character, 'S' or 'N'; null is left to each column.
CREATE DOMAIN DM_BANDERA AS CHAR(1) CHECK (VALUE IN ('S', 'N'));

-- Revision date of the schema, shown in the main window. Exactly one row:
-- the start-up reads "select revi_fecha from revision" and takes the first.
-- A script that changes the schema updates REVI_FECHA.
CREATE TABLE REVISION (
  REVI_ID      SMALLINT DEFAULT 1 NOT NULL,
  REVI_FECHA   DATE NOT NULL,
  CONSTRAINT PK_REVISION PRIMARY KEY (REVI_ID),
  CONSTRAINT CK_REVISION_UNICA CHECK (REVI_ID = 1)
);

INSERT INTO REVISION (REVI_ID, REVI_FECHA) VALUES (1, '2026/12/06');

-- The user's working state in this company. USER_COD equals the login name
-- and the general USUARIO.USUA_COD (upper-case).
CREATE TABLE USUARIO (
  USER_COD     VARCHAR(10) NOT NULL,
  USER_ANOCNT  VARCHAR(4),
  -- accounting period from 0: 0..11 months, 12 adjustments, 13 closing
  USER_PERCNT  INTEGER DEFAULT 0 NOT NULL,
  -- agency of the user; 0 = none (sees every agency)
  SUCU_ID      INTEGER DEFAULT 0 NOT NULL,
  CONSTRAINT PK_USUARIO PRIMARY KEY (USER_COD),
  CONSTRAINT CK_USUARIO_PERIODO CHECK (USER_PERCNT BETWEEN 0 AND 13)
);

-- Agencies (branches) of the company. SUCU_ID 0 is reserved for "none"
-- in the tables that point here, so agencies start at 1.
CREATE TABLE SUCURSALES (
  SUCU_ID         INTEGER NOT NULL,
  SUCU_NOMBRE     VARCHAR(60) NOT NULL,
  SUCU_DIRECCION  VARCHAR(60),
  CONSTRAINT PK_SUCURSALES PRIMARY KEY (SUCU_ID),
  CONSTRAINT CK_SUCURSALES_ID CHECK (SUCU_ID > 0)
);
