/* Sister companies that receive copies of what is saved here, and the
   files attached to a third party. */

-- Sister companies: the company code, the charge prefix whose documents
-- are copied, a name, the location of the sister installation (a folder,
-- or "host/port:/folder" on a server) and the prefix the copies take there.
CREATE TABLE REPLICA_COMPRAS (
  RPCM_COD       VARCHAR(3) NOT NULL,
  RPCM_PREF      VARCHAR(4),
  RPCM_NOMBRE    VARCHAR(60),
  RPCM_SERVIDOR  VARCHAR(60),
  RPCM_PREDDES   VARCHAR(4),
  CONSTRAINT PK_REPLICA_COMPRAS PRIMARY KEY (RPCM_COD)
);

-- Copies that could not be made (the sister database did not open), to be
-- retried: the document id, when, the article or document code, the
-- company, the kind of copy and the database path that failed.
CREATE TABLE REPLICA_ARTICULO_ESTADO (
  RPAE_ID        INTEGER NOT NULL,
  RPAE_FECHA     DATE,
  RPAE_HORA      TIME,
  ARTI_COD       VARCHAR(15),
  RPAE_CIA       VARCHAR(3),
  RPAE_TIPO      VARCHAR(1),
  RPAE_SERVIDOR  VARCHAR(60)
);

CREATE INDEX IX_REPLICA_ARTICULO_ESTADO_ID ON REPLICA_ARTICULO_ESTADO (RPAE_ID);

-- PDF files attached to a third party, numbered by TEDO_ITEM within the
-- NIT, with their title; they go with their third party.
CREATE TABLE TERCERO_DOCUMENTOS (
  TERC_NIT      VARCHAR(20) NOT NULL,
  TEDO_ITEM     INTEGER NOT NULL,
  TEDO_ARCHIVO  BLOB SUB_TYPE BINARY,
  TEDO_NOMBRE   VARCHAR(255),
  CONSTRAINT PK_TERCERO_DOCUMENTOS PRIMARY KEY (TERC_NIT, TEDO_ITEM),
  CONSTRAINT FK_TERCERO_DOCUMENTOS_TERCERO FOREIGN KEY (TERC_NIT)
    REFERENCES TERCEROS (TERC_NIT) ON UPDATE CASCADE ON DELETE CASCADE
);

UPDATE OR INSERT INTO NOMBRES_CAMPOS (NOMBRE, DESCRIPCION) VALUES ('RPCM_COD', 'Compañía réplica') MATCHING (NOMBRE);
UPDATE OR INSERT INTO NOMBRES_CAMPOS (NOMBRE, DESCRIPCION) VALUES ('RPCM_SERVIDOR', 'Servidor réplica') MATCHING (NOMBRE);
UPDATE OR INSERT INTO NOMBRES_CAMPOS (NOMBRE, DESCRIPCION) VALUES ('TEDO_NOMBRE', 'Título del documento') MATCHING (NOMBRE);

UPDATE REVISION SET REVI_FECHA = '2026/12/06';
