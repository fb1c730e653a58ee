/* Instant messages between the users of the company.

   The client inserts a message with id 0 and only its text, level, recipient
   and answered id; the database fills the rest:
   - MENSAJERIA_BI gives the id and stamps author (the login), date and time;
   - MENSAJERIA_AI fans a message addressed to "Todos" out into one copy per
     user of the company (table USUARIO) other than the author, because each
     user's poll asks only for rows addressed to that user's own code. The
     "Todos" row itself stays as the record of what was sent; the copies point
     to it through MENS_ORIGEN;
   - MENSAJERIA_BU stamps the read date and time when MENS_LEIDO becomes "S". */

CREATE SEQUENCE GEN_MENSAJERIA;

CREATE TABLE MENSAJERIA (
  MENS_ID         INTEGER NOT NULL,
  MENS_AUTOR      VARCHAR(10) NOT NULL,
  MENS_MENSAJE    VARCHAR(255) NOT NULL,
  MENS_FECHA      DATE NOT NULL,
  MENS_HORA       TIME NOT NULL,
  -- 1 high, 2 medium, 3 normal
  MENS_NIVEL      INTEGER DEFAULT 3 NOT NULL,
  -- a user code, or "Todos" (user codes are upper-case, so it is never one)
  MENS_DESTINO    VARCHAR(10) NOT NULL,
  MENS_LEIDO      DM_BANDERA DEFAULT 'N' NOT NULL,
  MENS_FECLEIDO   DATE,
  MENS_HORALEIDO  TIME,
  -- id of the message this one answers; 0 for none
  MENS_RESPUESTA  INTEGER DEFAULT 0 NOT NULL,
  -- for a copy made from a message to "Todos": the id of that message
  MENS_ORIGEN     INTEGER,
  CONSTRAINT PK_MENSAJERIA PRIMARY KEY (MENS_ID),
  CONSTRAINT CK_MENSAJERIA_NIVEL CHECK (MENS_NIVEL IN (1, 2, 3))
);

CREATE INDEX IX_MENSAJERIA_DESTINO ON MENSAJERIA (MENS_DESTINO, MENS_LEIDO);
CREATE INDEX IX_MENSAJERIA_AUTOR ON MENSAJERIA (MENS_AUTOR);

SET TERM ^ ;

CREATE TRIGGER MENSAJERIA_BI FOR MENSAJERIA
ACTIVE BEFORE INSERT POSITION 0
AS
BEGIN
  IF (NEW.MENS_ID IS NULL OR NEW.MENS_ID = 0) THEN
    NEW.MENS_ID = NEXT VALUE FOR GEN_MENSAJERIA;
  IF (NEW.MENS_AUTOR IS NULL OR TRIM(NEW.MENS_AUTOR) = '') THEN
    NEW.MENS_AUTOR = CURRENT_USER;
  IF (NEW.MENS_FECHA IS NULL) THEN
    NEW.MENS_FECHA = CURRENT_DATE;
  IF (NEW.MENS_HORA IS NULL) THEN
    NEW.MENS_HORA = CURRENT_TIME;
  NEW.MENS_NIVEL = COALESCE(NEW.MENS_NIVEL, 3);
  NEW.MENS_LEIDO = COALESCE(NEW.MENS_LEIDO, 'N');
  NEW.MENS_RESPUESTA = COALESCE(NEW.MENS_RESPUESTA, 0);
END^

CREATE TRIGGER MENSAJERIA_AI FOR MENSAJERIA
ACTIVE AFTER INSERT POSITION 0
AS
BEGIN
  IF (NEW.MENS_DESTINO = 'Todos') THEN
    INSERT INTO MENSAJERIA (MENS_ID, MENS_AUTOR, MENS_MENSAJE, MENS_FECHA, MENS_HORA,
                            MENS_NIVEL, MENS_DESTINO, MENS_LEIDO, MENS_RESPUESTA, MENS_ORIGEN)
    SELECT 0, NEW.MENS_AUTOR, NEW.MENS_MENSAJE, NEW.MENS_FECHA, NEW.MENS_HORA,
           NEW.MENS_NIVEL, U.USER_COD, 'N', NEW.MENS_RESPUESTA, NEW.MENS_ID
      FROM USUARIO U
     WHERE U.USER_COD <> NEW.MENS_AUTOR;
END^

CREATE TRIGGER MENSAJERIA_BU FOR MENSAJERIA
ACTIVE BEFORE UPDATE POSITION 0
AS
BEGIN
  IF (NEW.MENS_LEIDO = 'S' AND OLD.MENS_LEIDO IS DISTINCT FROM 'S') THEN
  BEGIN
    NEW.MENS_FECLEIDO = COALESCE(NEW.MENS_FECLEIDO, CURRENT_DATE);
    NEW.MENS_HORALEIDO = COALESCE(NEW.MENS_HORALEIDO, CURRENT_TIME);
  END
END^

/* The messages exchanged by USUARIO with everybody, one row per message:
   EOS "S" (salida) for a message the user sent, "E" (entrada) for one the
   user received; REMITE is the other user (recipient of a sent message,
   author of a received one), so the message screen filters a conversation
   with "REMITE = <user>". A message sent to "Todos" appears through its
   copies, once per recipient with that recipient's read state. */
CREATE PROCEDURE HISTORIA_MENSAJES (USUARIO VARCHAR(10))
RETURNS (ID INTEGER, EOS CHAR(1), FECHA DATE, HORA TIME, REMITE VARCHAR(10),
         MENSAJE VARCHAR(255), LEIDO CHAR(1))
AS
BEGIN
  FOR SELECT MENS_ID, 'S', MENS_FECHA, MENS_HORA, MENS_DESTINO, MENS_MENSAJE, MENS_LEIDO
        FROM MENSAJERIA
       WHERE MENS_AUTOR = :USUARIO
         AND MENS_DESTINO <> 'Todos'
        INTO :ID, :EOS, :FECHA, :HORA, :REMITE, :MENSAJE, :LEIDO
  DO
    SUSPEND;

  FOR SELECT MENS_ID, 'E', MENS_FECHA, MENS_HORA, MENS_AUTOR, MENS_MENSAJE, MENS_LEIDO
        FROM MENSAJERIA
       WHERE MENS_DESTINO = :USUARIO
        INTO :ID, :EOS, :FECHA, :HORA, :REMITE, :MENSAJE, :LEIDO
  DO
    SUSPEND;
END^

SET TERM ; ^
