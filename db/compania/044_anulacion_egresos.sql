-- Payment voucher search (62).
--
-- BUSQUEDA_EGRESOS(FECHA, AGENCIA) lists the stored vouchers (the one being
-- entered, id 0, never) dated on or after FECHA, of the agency's prefixes
-- and of the prefixes of every agency (SUCU_ID 0); agency 0 lists them
-- all. EGRE_NOMTERC is the name the voucher kept, else the third party's.
-- EGRE_TIPO is the voucher's class: the payables search keeps
-- class '1' ("CUENTA POR PAGAR"). The annulment and deletion of a voucher
-- and what they do to the books are EGRESOS_ANULACION (037) and
-- EGRESOS_MEDIOS_AIU (030).


SET TERM ^ ;

CREATE OR ALTER PROCEDURE BUSQUEDA_EGRESOS (FECHA DATE, AGENCIA INTEGER)
RETURNS (
  EGRE_ID      INTEGER,
  EGRE_ANULADO CHAR(1),
  PREF_PRE     VARCHAR(4),
  EGRE_NUMERO  VARCHAR(6),
  EGRE_FECHA   DATE,
  EGRE_NOMTERC VARCHAR(60),
  EGRE_CONC    VARCHAR(60),
  EGRE_MONTO   NUMERIC(15,2),
  TERC_NIT     VARCHAR(20),
  EGRE_TIPO    CHAR(1))
AS
BEGIN
  FOR SELECT E.EGRE_ID, E.EGRE_ANULADO, E.PREF_PRE, E.EGRE_NUMERO, E.EGRE_FECHA,
             COALESCE(E.EGRE_NOMTERC, SUBSTRING(T.TERC_NOM FROM 1 FOR 60)), E.EGRE_CONC, E.EGRE_MONTO, E.TERC_NIT,
             E.EGRE_TIPO
        FROM EGRESOS E
        JOIN PREFIJOS P ON P.TIDO_COD = 62 AND P.PREF_PRE = E.PREF_PRE
        LEFT JOIN TERCEROS T ON T.TERC_NIT = E.TERC_NIT
       WHERE E.EGRE_ID <> 0 AND E.EGRE_FECHA >= :FECHA
         AND (COALESCE(:AGENCIA, 0) = 0 OR P.SUCU_ID = 0 OR P.SUCU_ID = :AGENCIA)
        INTO :EGRE_ID, :EGRE_ANULADO, :PREF_PRE, :EGRE_NUMERO, :EGRE_FECHA, :EGRE_NOMTERC, :EGRE_CONC,
             :EGRE_MONTO, :TERC_NIT, :EGRE_TIPO
  DO
    SUSPEND;
END^

SET TERM ; ^

UPDATE REVISION SET REVI_FECHA = '2026/12/07';
