/* General database, shared by every company of the suite: its users and
   its companies. */

-- A user of the suite. USUA_COD is also the Firebird login name, so it is
-- written upper-case (CURRENT_USER and the audit rows give it that way).
CREATE TABLE USUARIO (
  USUA_COD     VARCHAR(10) NOT NULL,
  USUA_NOMBRE  VARCHAR(60) NOT NULL,
  USUA_ADMIN   CHAR(1) DEFAULT 'N' NOT NULL,
  -- day on which the user is connected; null when not connected
  FECCON       DATE,
  CONSTRAINT PK_USUARIO PRIMARY KEY (USUA_COD),
  CONSTRAINT CK_USUARIO_ADMIN CHECK (USUA_ADMIN IN ('S', 'N'))
);

-- A company; its own database lives in datos/<COMP_COD>/quelmar.fdb.
CREATE TABLE COMPANIA (
  COMP_COD         CHAR(3) NOT NULL,
  COM_NOMBRE       VARCHAR(80) NOT NULL,
  COMP_NIT         VARCHAR(20),
  COMP_LOGO        BLOB SUB_TYPE 0,
  COMP_DIR         VARCHAR(140),
  COMP_TELS        VARCHAR(140),
  COMP_ENCABEZADO  VARCHAR(140),
  CONSTRAINT PK_COMPANIA PRIMARY KEY (COMP_COD)
);
