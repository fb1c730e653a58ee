/* Audit trail: one row per insert, update, annulment or deletion of a
   document (or of a master record keyed by text, such as a third party).
   The rows are written by the document tables' own triggers through the
   procedures below; the client only fills AUDI_RAZON afterwards. */

CREATE SEQUENCE GEN_AUDITORIA;

CREATE TABLE AUDITORIA (
  AUDI_ID       BIGINT NOT NULL,
  TIDO_COD      INTEGER NOT NULL,
  -- id of the document in its own table; null for a master record keyed by text
  AUDI_IDDOC    INTEGER,
  -- I inserted, U updated, A annulled, D deleted
  AUDI_OPER     CHAR(1) NOT NULL,
  -- text key of a master record without numeric id (third parties: type 104, the NIT)
  AUDI_COD      VARCHAR(20),
  AUDI_FECHA    DATE NOT NULL,
  -- time of the event as text "HH:MM:SS", so that it prints and sorts as it stands
  AUDI_HORA     VARCHAR(13) NOT NULL,
  -- login of the connection that made the change
  AUDI_USUARIO  VARCHAR(31) NOT NULL,
  -- reason for an annulment or deletion, typed by the user
  AUDI_RAZON    VARCHAR(255),
  CONSTRAINT PK_AUDITORIA PRIMARY KEY (AUDI_ID),
  CONSTRAINT CK_AUDITORIA_OPER CHECK (AUDI_OPER IN ('I', 'U', 'A', 'D'))
);

CREATE INDEX IX_AUDITORIA_DOCUMENTO ON AUDITORIA (TIDO_COD, AUDI_IDDOC, AUDI_OPER);
CREATE INDEX IX_AUDITORIA_CODIGO ON AUDITORIA (TIDO_COD, AUDI_COD);

SET TERM ^ ;

/* One audit row for document IDDOC of type TIDO_COD. OPER: 'I' insert,
   'U' update, 'A' annulment, 'D' deletion. A document held with id 0 has not
   been stored for good yet, so it leaves no trace (see AUDITE_CAMBIO). */
CREATE PROCEDURE AUDITE_DOCUMENTO (TIDO_COD INTEGER, IDDOC INTEGER, OPER CHAR(1))
AS
BEGIN
  IF (IDDOC IS NULL OR IDDOC = 0) THEN
    EXIT;
  INSERT INTO AUDITORIA (AUDI_ID, TIDO_COD, AUDI_IDDOC, AUDI_OPER, AUDI_FECHA,
                         AUDI_HORA, AUDI_USUARIO)
  VALUES (NEXT VALUE FOR GEN_AUDITORIA, :TIDO_COD, :IDDOC, :OPER, CURRENT_DATE,
          SUBSTRING(CAST(CURRENT_TIME AS VARCHAR(13)) FROM 1 FOR 8), CURRENT_USER);
END^

/* The audit row of an UPDATE of a document, from the old and new id and the
   old and new value of its ..._ANULADO flag:
   - a row that still had id 0 has just been given its id: that is the
     document's real insertion, 'I';
   - the flag going to 'S' is the annulment, 'A';
   - anything else is an update, 'U'. */
CREATE PROCEDURE AUDITE_CAMBIO (TIDO_COD INTEGER, ID_ANTES INTEGER, ID_DESPUES INTEGER,
                                ANULADO_ANTES CHAR(1), ANULADO_DESPUES CHAR(1))
AS
DECLARE OPER CHAR(1);
BEGIN
  IF (COALESCE(ID_ANTES, 0) = 0) THEN
    OPER = 'I';
  ELSE IF (ANULADO_DESPUES = 'S' AND ANULADO_ANTES IS DISTINCT FROM 'S') THEN
    OPER = 'A';
  ELSE
    OPER = 'U';
  EXECUTE PROCEDURE AUDITE_DOCUMENTO (:TIDO_COD, :ID_DESPUES, :OPER);
END^

/* One audit row for a master record keyed by text (TIDO_COD 104 and the NIT
   for third parties). OPER as above. */
CREATE PROCEDURE AUDITE_MAESTRO (TIDO_COD INTEGER, CODIGO VARCHAR(20), OPER CHAR(1))
AS
BEGIN
  IF (CODIGO IS NULL OR TRIM(CODIGO) = '') THEN
    EXIT;
  INSERT INTO AUDITORIA (AUDI_ID, TIDO_COD, AUDI_COD, AUDI_OPER, AUDI_FECHA,
                         AUDI_HORA, AUDI_USUARIO)
  VALUES (NEXT VALUE FOR GEN_AUDITORIA, :TIDO_COD, :CODIGO, :OPER, CURRENT_DATE,
          SUBSTRING(CAST(CURRENT_TIME AS VARCHAR(13)) FROM 1 FOR 8), CURRENT_USER);
END^

SET TERM ; ^
