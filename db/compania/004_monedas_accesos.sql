/* Currencies and exchange rates, user rights and numbering authorizations. */

-- Currencies, by their ISO 4217 numeric code (170 peso, 840 dollar).
CREATE TABLE TIPOS_MONEDA (
  TIMO_COD     INTEGER NOT NULL,
  TIMO_NOMBRE  VARCHAR(60) NOT NULL,
  CONSTRAINT PK_TIPOS_MONEDA PRIMARY KEY (TIMO_COD)
);

CREATE SEQUENCE GEN_TASA_CAMBIO_MONEDA;

-- Value in pesos of one unit of a currency on a day. One rate per currency
-- and day: the day's-rate screen edits today's row when there is one. The
-- value is exact (not floating point): it converts money.
CREATE TABLE TASA_CAMBIO_MONEDA (
  TACA_ID     INTEGER NOT NULL,
  TACA_FECHA  DATE NOT NULL,
  TIMO_COD    INTEGER NOT NULL,
  TACA_VALOR  NUMERIC(15,4) NOT NULL,
  CONSTRAINT PK_TASA_CAMBIO_MONEDA PRIMARY KEY (TACA_ID),
  CONSTRAINT UQ_TASA_CAMBIO_MONEDA_DIA UNIQUE (TIMO_COD, TACA_FECHA),
  CONSTRAINT FK_TASA_CAMBIO_MONEDA_MONEDA FOREIGN KEY (TIMO_COD)
    REFERENCES TIPOS_MONEDA (TIMO_COD) ON UPDATE CASCADE,
  CONSTRAINT CK_TASA_CAMBIO_MONEDA_VALOR CHECK (TACA_VALOR > 0)
);

SET TERM ^ ;

-- The screen inserts new rates with id 0: the database gives the id.
CREATE TRIGGER TASA_CAMBIO_MONEDA_BI FOR TASA_CAMBIO_MONEDA
ACTIVE BEFORE INSERT POSITION 0
AS
BEGIN
  IF (NEW.TACA_ID IS NULL OR NEW.TACA_ID = 0) THEN
    NEW.TACA_ID = NEXT VALUE FOR GEN_TASA_CAMBIO_MONEDA;
END^

SET TERM ; ^

-- User rights: one row per user, module ("C. X PAGAR", "CAJA",
-- "CONTABILIDAD", ...) and numbered option. Only "S" grants; a missing row
-- denies. Administrators (general USUARIO.USUA_ADMIN) need no rows.
CREATE TABLE ACCESO_USUARIO (
  USER_COD     VARCHAR(10) NOT NULL,
  ACUS_MODULO  VARCHAR(20) NOT NULL,
  ACUS_OPCION  INTEGER NOT NULL,
  ACUS_SI      DM_BANDERA DEFAULT 'N' NOT NULL,
  CONSTRAINT PK_ACCESO_USUARIO PRIMARY KEY (USER_COD, ACUS_MODULO, ACUS_OPCION)
);

-- Official numbering authorizations (DIAN resolutions) of a document type and
-- prefix. A prefix is authorized again with each new resolution, hence the
-- number in the key. The AUTO_ columns after AUTO_ARCHFE belong to the sales
-- and point-of-sale modules of the suite; this program carries them through,
-- so they hold whatever those modules write (no checks here).
CREATE TABLE AUTORIZACIONES (
  AUTO_NUMERO      VARCHAR(20) NOT NULL,
  TIDO_COD         INTEGER NOT NULL,
  PREF_PRE         VARCHAR(4) NOT NULL,
  AUTO_FECHA       DATE,
  AUTO_INICIAL     VARCHAR(8),
  AUTO_FINAL       VARCHAR(8),
  AUTO_VENCE       DATE,
  AUTO_ITEMS       INTEGER DEFAULT 1,
  AUTO_CONTADO     DM_BANDERA DEFAULT 'N',
  -- how early to warn before the range or the date runs out
  AUTO_AVISAR      SMALLINT,
  AUTO_USRAVISO    VARCHAR(10),
  AUTO_TOKENEMP    VARCHAR(256),
  AUTO_TOKENPSW    VARCHAR(256),
  AUTO_ARCHFE      VARCHAR(15),
  AUTO_PREFRDC     VARCHAR(4),
  AUTO_NITCONTADO  VARCHAR(20),
  AUTO_ESPOS       CHAR(1),
  AUTO_FECHAS      CHAR(1),
  AUTO_COTIZA      VARCHAR(4),
  AUTO_REMISION    VARCHAR(4),
  AUTO_PEDIDO      VARCHAR(4),
  AUTO_ENTREGA     VARCHAR(4),
  AUTO_MAQUINA     VARCHAR(30),
  AUTO_MARCA       VARCHAR(30),
  AUTO_COMCRM      VARCHAR(10),
  AUTO_PREFDV      VARCHAR(4),
  AUTO_VALPREVIA   CHAR(1),
  CONSTRAINT PK_AUTORIZACIONES PRIMARY KEY (TIDO_COD, PREF_PRE, AUTO_NUMERO),
  CONSTRAINT CK_AUTORIZACIONES_FECHAS CHECK (AUTO_VENCE IS NULL OR AUTO_FECHA IS NULL
                                             OR AUTO_VENCE >= AUTO_FECHA)
);

-- Seeds go after the tables that refer to them: isql keeps this data in an
-- open transaction that would hold the referenced table in use.
INSERT INTO TIPOS_MONEDA (TIMO_COD, TIMO_NOMBRE) VALUES (170, 'PESO COLOMBIANO (COP)');
INSERT INTO TIPOS_MONEDA (TIMO_COD, TIMO_NOMBRE) VALUES (840, 'DÓLAR ESTADOUNIDENSE (USD)');
INSERT INTO TIPOS_MONEDA (TIMO_COD, TIMO_NOMBRE) VALUES (978, 'EURO (EUR)');
