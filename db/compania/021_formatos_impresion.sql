/* Print formats of the payables documents: one format per document type
   and prefix, with the data items it prints and its fixed drawing elements
   (texts, lines, boxes, pictures). Positions are on a grid of 1500 units
   across and 2000 down the page; paper sizes are in inches. */

CREATE TABLE FORMATOS (
  TIDO_COD         INTEGER NOT NULL,
  PREF_PRE         VARCHAR(6) NOT NULL,
  FORM_IMPRE       VARCHAR(60),
  FORM_NROITEMS    INTEGER,
  FORM_PAGINAS     DM_BANDERA DEFAULT 'S',
  FORM_ENTRELINEA  INTEGER,
  FORM_FONT        VARCHAR(60),
  FORM_FSIZE       INTEGER,
  FORM_PAPELAN     NUMERIC(15,2),
  FORM_PAPELAL     NUMERIC(15,2),
  FORM_PREFITE     VARCHAR(4),
  CONSTRAINT PK_FORMATOS PRIMARY KEY (TIDO_COD, PREF_PRE)
);

-- Data items: DAFO_DATO names a value of the document; DAFO_REPITE 'S'
-- prints once per detail line, DAFO_LIQUIDA 'S' once after the detail,
-- DAFO_POSYVAR 'S' moves down with the detail printed on the page. An empty
-- font or size takes the format's. They go with their format.
CREATE TABLE FORMATO_DATOS (
  TIDO_COD      INTEGER NOT NULL,
  PREF_PRE      VARCHAR(6) NOT NULL,
  DAFO_ITEM     INTEGER NOT NULL,
  DAFO_DATO     VARCHAR(30),
  DAFO_IMPRIME  DM_BANDERA DEFAULT 'S',
  DAFO_POSX     INTEGER,
  DAFO_POSY     INTEGER,
  DAFO_REPITE   DM_BANDERA DEFAULT 'N',
  DAFO_INI      SMALLINT DEFAULT 1,
  DAFO_LONG     INTEGER,
  DAFO_FORMATO  VARCHAR(20),
  DAFO_FONT     VARCHAR(60),
  DAFO_FSIZE    INTEGER,
  DAFO_LIQUIDA  DM_BANDERA DEFAULT 'N',
  DAFO_POSYVAR  DM_BANDERA DEFAULT 'N',
  CONSTRAINT PK_FORMATO_DATOS PRIMARY KEY (TIDO_COD, PREF_PRE, DAFO_ITEM),
  CONSTRAINT FK_FORMATO_DATOS_FORMATO FOREIGN KEY (TIDO_COD, PREF_PRE)
    REFERENCES FORMATOS (TIDO_COD, PREF_PRE) ON UPDATE CASCADE ON DELETE CASCADE
);

-- Drawing elements: 'T' text, 'L' line, 'C' box, 'G' picture (bitmap in
-- FOLI_IMAGEN). FOLI_X, FOLI_Y are the extent of a line, box or picture.
-- FOLI_LIQUIDA 'S' draws after the detail, moved down by it. They go with
-- their format.
CREATE TABLE FORMATO_LINEAS (
  TIDO_COD      INTEGER NOT NULL,
  PREF_PRE      VARCHAR(6) NOT NULL,
  FOLI_ITEM     INTEGER NOT NULL,
  FOLI_TIPO     CHAR(1) DEFAULT 'T',
  FOLI_POSX     INTEGER,
  FOLI_POSY     INTEGER,
  FOLI_X        INTEGER,
  FOLI_Y        INTEGER,
  FOLI_CADENA   VARCHAR(60),
  FOLI_FONT     VARCHAR(60),
  FOLI_FSIZE    INTEGER,
  FOLI_LIQUIDA  DM_BANDERA DEFAULT 'N',
  FOLI_IMAGEN   BLOB SUB_TYPE BINARY,
  CONSTRAINT PK_FORMATO_LINEAS PRIMARY KEY (TIDO_COD, PREF_PRE, FOLI_ITEM),
  CONSTRAINT CK_FORMATO_LINEAS_TIPO CHECK (FOLI_TIPO IS NULL OR FOLI_TIPO IN ('T', 'L', 'C', 'G')),
  CONSTRAINT FK_FORMATO_LINEAS_FORMATO FOREIGN KEY (TIDO_COD, PREF_PRE)
    REFERENCES FORMATOS (TIDO_COD, PREF_PRE) ON UPDATE CASCADE ON DELETE CASCADE
);

CREATE EXCEPTION E_MOVER_FORMATO_ACCION 'Acción desconocida para mover el formato: @1';

SET TERM ^ ;

/* Shifts or scales the data items and drawing elements of a format whose
   vertical position lies in DESDE..HASTA (empty: 0..2000).
     R, L  right / left by POSICIONES      U, D  up / down by POSICIONES
     Y, X  halve / double horizontally      M, C  halve / double vertically
   Halving and doubling scale the position and, for lines, boxes and
   pictures, their extent along that axis (halves drop the remainder).
   Every position is kept on the page: what would leave it stops at the
   edge (0..1500 across, 0..2000 down), so no position is ever negative;
   an extent is kept within -1500..1500 / -2000..2000. Empty positions stay
   empty; an empty number of positions counts 0. Any other action raises
   E_MOVER_FORMATO_ACCION and changes nothing. */
CREATE PROCEDURE MOVER_FORMATO (
  TIPO        INTEGER,
  PREFI       VARCHAR(6),
  POSICIONES  INTEGER,
  DESDE       INTEGER,
  HASTA       INTEGER,
  ACCION      CHAR(1))
AS
  DECLARE VARIABLE N INTEGER;
  DECLARE VARIABLE D INTEGER;
  DECLARE VARIABLE H INTEGER;
BEGIN
  IF (ACCION IS NULL OR ACCION NOT IN ('R', 'L', 'U', 'D', 'M', 'Y', 'C', 'X')) THEN
    EXCEPTION E_MOVER_FORMATO_ACCION USING (COALESCE(ACCION, ''));
  N = COALESCE(POSICIONES, 0);
  D = COALESCE(DESDE, 0);
  H = COALESCE(HASTA, 2000);

  UPDATE FORMATO_DATOS
     SET DAFO_POSX = MINVALUE(1500, MAXVALUE(0,
           CASE :ACCION WHEN 'R' THEN DAFO_POSX + :N
                        WHEN 'L' THEN DAFO_POSX - :N
                        WHEN 'Y' THEN DAFO_POSX / 2
                        WHEN 'X' THEN DAFO_POSX * 2
                        ELSE DAFO_POSX END)),
         DAFO_POSY = MINVALUE(2000, MAXVALUE(0,
           CASE :ACCION WHEN 'D' THEN DAFO_POSY + :N
                        WHEN 'U' THEN DAFO_POSY - :N
                        WHEN 'M' THEN DAFO_POSY / 2
                        WHEN 'C' THEN DAFO_POSY * 2
                        ELSE DAFO_POSY END))
   WHERE TIDO_COD = :TIPO AND PREF_PRE = :PREFI
     AND DAFO_POSY BETWEEN :D AND :H;

  UPDATE FORMATO_LINEAS
     SET FOLI_POSX = MINVALUE(1500, MAXVALUE(0,
           CASE :ACCION WHEN 'R' THEN FOLI_POSX + :N
                        WHEN 'L' THEN FOLI_POSX - :N
                        WHEN 'Y' THEN FOLI_POSX / 2
                        WHEN 'X' THEN FOLI_POSX * 2
                        ELSE FOLI_POSX END)),
         FOLI_POSY = MINVALUE(2000, MAXVALUE(0,
           CASE :ACCION WHEN 'D' THEN FOLI_POSY + :N
                        WHEN 'U' THEN FOLI_POSY - :N
                        WHEN 'M' THEN FOLI_POSY / 2
                        WHEN 'C' THEN FOLI_POSY * 2
                        ELSE FOLI_POSY END)),
         FOLI_X = CASE :ACCION WHEN 'Y' THEN FOLI_X / 2
                               WHEN 'X' THEN MINVALUE(1500, MAXVALUE(-1500, FOLI_X * 2))
                               ELSE FOLI_X END,
         FOLI_Y = CASE :ACCION WHEN 'M' THEN FOLI_Y / 2
                               WHEN 'C' THEN MINVALUE(2000, MAXVALUE(-2000, FOLI_Y * 2))
                               ELSE FOLI_Y END
   WHERE TIDO_COD = :TIPO AND PREF_PRE = :PREFI
     AND FOLI_POSY BETWEEN :D AND :H;
END^
SET TERM ; ^

UPDATE OR INSERT INTO NOMBRES_CAMPOS (NOMBRE, DESCRIPCION) VALUES ('FORM_IMPRE', 'Impresora') MATCHING (NOMBRE);
UPDATE OR INSERT INTO NOMBRES_CAMPOS (NOMBRE, DESCRIPCION) VALUES ('FORM_NROITEMS', 'Número de repeticiones items') MATCHING (NOMBRE);
UPDATE OR INSERT INTO NOMBRES_CAMPOS (NOMBRE, DESCRIPCION) VALUES ('FORM_ENTRELINEA', 'Espacio entre líneas') MATCHING (NOMBRE);
UPDATE OR INSERT INTO NOMBRES_CAMPOS (NOMBRE, DESCRIPCION) VALUES ('DAFO_DATO', 'Dato') MATCHING (NOMBRE);
UPDATE OR INSERT INTO NOMBRES_CAMPOS (NOMBRE, DESCRIPCION) VALUES ('FOLI_CADENA', 'Cadena') MATCHING (NOMBRE);

UPDATE REVISION SET REVI_FECHA = '2026/12/06';
