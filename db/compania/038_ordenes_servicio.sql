-- Service orders (56): the id procedure of the order screen, and the rule
-- that a valid order is annulled before it can be removed.

CREATE SEQUENCE GEN_ORDEN_SERVICIO;
CREATE EXCEPTION E_ORDEN_VIGENTE 'Una orden de servicio vigente no se elimina: primero se anula.';

SET TERM ^ ;

-- An id no stored order holds (orders loaded with their own ids are passed by).
CREATE OR ALTER PROCEDURE CAMBIE_ID_ORDENSER
RETURNS (ID INTEGER)
AS
BEGIN
  ID = NEXT VALUE FOR GEN_ORDEN_SERVICIO;
  WHILE (EXISTS (SELECT 1 FROM ORDEN_SERVICIO WHERE ORSE_ID = :ID)) DO
    ID = NEXT VALUE FOR GEN_ORDEN_SERVICIO;
END^

-- Only an annulled order (or the one being entered, id 0) is deleted.
CREATE OR ALTER TRIGGER ORDEN_SERVICIO_BD FOR ORDEN_SERVICIO
ACTIVE BEFORE DELETE POSITION 5
AS
BEGIN
  IF (OLD.ORSE_ID <> 0 AND OLD.ORSE_ANULADO IS DISTINCT FROM 'S') THEN
    EXCEPTION E_ORDEN_VIGENTE;
END^

SET TERM ; ^

UPDATE REVISION SET REVI_FECHA = '2026/12/07';
