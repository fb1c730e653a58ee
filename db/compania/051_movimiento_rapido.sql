-- The movement report by creditor from the stored balances.
--
-- REP_MOVIMIENTO_PROVEEDOR (042) asked, for every creditor, its opening and
-- closing balances from all of its documents and their crossings, and then
-- went over all of its documents again for the movement: four passes over
-- the whole ledger for a report of one month. Here both balances come from
-- the creditor's stored balances (SALDOS_DOC_CXPAGAR) of the documents open
-- now, plus what the crossings dated after each date took off the documents
-- dated by then (found through the date of a document's last crossing);
-- the movement comes from the documents dated in the range and the
-- crossings of the documents last crossed on or after DESDE. Same rows,
-- same order, same arithmetic (every amount in pesos until the running
-- balance is divided by the rate of HASTA).

-- A creditor's documents of a date range without reading all of its others.
CREATE INDEX IX_SALDOS_DOC_CXPAGAR_NIT_FE ON SALDOS_DOC_CXPAGAR (TERC_NIT, FECHA);

SET TERM ^ ;

/* The movement of the creditors of a NIT range and a group range from DESDE
   to HASTA in currency MONEDA (0 pesos).
   DETALLE 'S': one row per document or crossing of the period, with the
   creditor's opening balance (INICIAL) on each, the running balance (SALDO)
   after the row and the closing balance (SALDOF); a creditor with nothing
   in the period gives one row with its opening balance as SALDO.
   Document rows carry the document's withholdings in RTFTE, RTIVA, RTICA;
   crossing rows (payments 62, applications 53) carry what they took off
   the balance in ABONO and the withholdings they took in ARTFTE, ARTIVA,
   ARTICA.
   DETALLE 'N': one row per creditor: INICIAL, the period's DEBITO and
   CREDITO, SALDO = SALDOF the closing balance, ABONO and the withholdings
   summed. In both INICIAL + debits - credits = the closing balance.
   ORDEN ('C' NIT, 'N' name) and AGRUPA ('N', 'C' city, 'Z' group) give
   the order the rows come in; ID numbers the rows in that order.
   A crossing counts on the date of its voucher or application, or on its
   document's date when it is dated before its document. */
CREATE OR ALTER PROCEDURE REP_MOVIMIENTO_PROVEEDOR (NIT_DESDE VARCHAR(20), NIT_HASTA VARCHAR(20),
  GRUPO_DESDE VARCHAR(2), GRUPO_HASTA VARCHAR(2), DESDE DATE, HASTA DATE, DETALLE CHAR(1),
  ORDEN CHAR(1), AGRUPA CHAR(1), MONEDA INTEGER = 0)
RETURNS (NIT VARCHAR(20), NOMBRE VARCHAR(60), TELEFONO VARCHAR(40), CIUDAD VARCHAR(40),
         CODZONA VARCHAR(2), NOMZONA VARCHAR(60), DV VARCHAR(1), CODCIUD VARCHAR(5),
         NOMCIUD VARCHAR(60), INICIAL NUMERIC(15,2), TIPODOC VARCHAR(8), IDDOC INTEGER,
         PREFIJO VARCHAR(4), NUMERO VARCHAR(8), FECHA DATE, CONCEPTO VARCHAR(60),
         DEBITO NUMERIC(15,2), CREDITO NUMERIC(15,2), SALDO NUMERIC(15,2), RTFTE NUMERIC(15,2),
         RTIVA NUMERIC(15,2), RTICA NUMERIC(15,2), ABONO NUMERIC(15,2), ARTFTE NUMERIC(15,2),
         ARTIVA NUMERIC(15,2), ARTICA NUMERIC(15,2), SALDOF NUMERIC(15,2), RCREE NUMERIC(15,2),
         ARCREE NUMERIC(15,2), ID INTEGER, NUMPROV VARCHAR(20))
AS
DECLARE NETA SMALLINT;
DECLARE TASA NUMERIC(15,4);
DECLARE CLASE SMALLINT;
DECLARE TIPO INTEGER;
DECLARE VALOR NUMERIC(18,2);
DECLARE CIERRE NUMERIC(18,2);
DECLARE CORRIDO NUMERIC(18,2);
DECLARE ANTERIOR NUMERIC(15,2);
DECLARE DIFERENCIA NUMERIC(18,2);
DECLARE M_TIPODOC VARCHAR(8);
DECLARE M_IDDOC INTEGER;
DECLARE M_PREFIJO VARCHAR(4);
DECLARE M_NUMERO VARCHAR(8);
DECLARE M_FECHA DATE;
DECLARE M_CONCEPTO VARCHAR(60);
DECLARE M_NUMPROV VARCHAR(20);
DECLARE M_DEBITO NUMERIC(15,2);
DECLARE M_CREDITO NUMERIC(15,2);
DECLARE M_SALDO NUMERIC(15,2);
DECLARE M_RTFTE NUMERIC(18,2);
DECLARE M_RTIVA NUMERIC(18,2);
DECLARE M_RTICA NUMERIC(18,2);
DECLARE W_RTFTE NUMERIC(18,2);
DECLARE W_RTIVA NUMERIC(18,2);
DECLARE W_RTICA NUMERIC(18,2);
DECLARE SIGNO SMALLINT;
DECLARE ULTIMA DATE;
DECLARE FILAS INTEGER;
DECLARE N21 VARCHAR(8);
DECLARE N24 VARCHAR(8);
DECLARE N51 VARCHAR(8);
DECLARE N52 VARCHAR(8);
DECLARE N55 VARCHAR(8);
DECLARE N53 VARCHAR(8);
DECLARE N62 VARCHAR(8);
BEGIN
  ID = 0;
  DETALLE = UPPER(COALESCE(DETALLE, 'N'));
  MONEDA = COALESCE(MONEDA, 0);
  EXECUTE PROCEDURE BASE_NETA_CXPAGAR RETURNING_VALUES :NETA;
  TASA = NULL;
  -- the short names of the ledger's types, read once
  SELECT MAX(IIF(TIDO_COD = 21, TIDO_NOMCORTO, NULL)), MAX(IIF(TIDO_COD = 24, TIDO_NOMCORTO, NULL)),
         MAX(IIF(TIDO_COD = 51, TIDO_NOMCORTO, NULL)), MAX(IIF(TIDO_COD = 52, TIDO_NOMCORTO, NULL)),
         MAX(IIF(TIDO_COD = 55, TIDO_NOMCORTO, NULL)), MAX(IIF(TIDO_COD = 53, TIDO_NOMCORTO, NULL)),
         MAX(IIF(TIDO_COD = 62, TIDO_NOMCORTO, NULL))
    FROM TIPO_DOCUMENTO WHERE TIDO_COD IN (21, 24, 51, 52, 55, 53, 62)
    INTO :N21, :N24, :N51, :N52, :N55, :N53, :N62;
  FOR SELECT P.TERC_NIT, T.TERC_NOM, T.TERC_TEL, T.TERC_CIU, P.GRPR_COD, G.GRPR_NOM, T.TERC_DV,
             T.CIUD_COD, CI.CIUD_NOM
        FROM PROVEEDORES P
        JOIN TERCEROS T ON T.TERC_NIT = P.TERC_NIT
        LEFT JOIN GRUPOS_PROVEEDORES G ON G.GRPR_COD = P.GRPR_COD
        LEFT JOIN CIUDADES CI ON CI.CIUD_COD = T.CIUD_COD
       WHERE P.TERC_NIT BETWEEN COALESCE(:NIT_DESDE, '') AND COALESCE(:NIT_HASTA, '')
         AND COALESCE(P.GRPR_COD, '') BETWEEN COALESCE(:GRUPO_DESDE, '') AND COALESCE(:GRUPO_HASTA, '')
       ORDER BY IIF(UPPER(:AGRUPA) = 'Z', P.GRPR_COD, IIF(UPPER(:AGRUPA) = 'C', T.CIUD_COD, '')),
                IIF(UPPER(:ORDEN) = 'N', T.TERC_NOM, P.TERC_NIT), P.TERC_NIT
        INTO :NIT, :NOMBRE, :TELEFONO, :CIUDAD, :CODZONA, :NOMZONA, :DV, :CODCIUD, :NOMCIUD
  DO
  BEGIN
    -- Asked with the first creditor: a range without creditors needs no rate.
    IF (TASA IS NULL) THEN
      EXECUTE PROCEDURE TASA_CXPAGAR (:MONEDA, :HASTA) RETURNING_VALUES :TASA;

    -- The opening balance (the end of the day before DESDE) and the
    -- closing one (HASTA): the stored balances of the documents dated by
    -- then (a closed one is 0 and is not read), plus what the crossings
    -- dated after then took off them. (The outer joins keep the documents
    -- first: their crossings come through the crossings' document index,
    -- not from a pass over every voucher.)
    SELECT COALESCE(SUM(IIF(S.FECHA < :DESDE, IIF(:NETA = 1, S.SALDON, S.SALDOB), 0)), 0),
           COALESCE(SUM(IIF(S.FECHA <= :HASTA, IIF(:NETA = 1, S.SALDON, S.SALDOB), 0)), 0)
      FROM SALDOS_DOC_CXPAGAR S
     WHERE S.TERC_NIT = :NIT AND S.ABIERTO = 'S' AND (S.FECHA + 0 < :DESDE OR S.FECHA + 0 <= :HASTA)
      INTO :CORRIDO, :CIERRE;
    SELECT :CORRIDO + COALESCE(SUM(C.ABONO + C.DTOF + IIF(:NETA = 1, 0, C.RTFTE + C.RTIVA + C.RTICA + C.RCREE)), 0)
      FROM SALDOS_DOC_CXPAGAR S
      LEFT JOIN V_CRUCES_CXPAGAR C ON C.TIPODOC = S.TIPO AND C.IDDOC = S.ID AND C.FECHA >= :DESDE
     WHERE S.TERC_NIT = :NIT AND S.ULTIMA >= :DESDE AND S.FECHA + 0 < :DESDE AND C.IDAB IS NOT NULL
      INTO :CORRIDO;
    SELECT :CIERRE + COALESCE(SUM(C.ABONO + C.DTOF + IIF(:NETA = 1, 0, C.RTFTE + C.RTIVA + C.RTICA + C.RCREE)), 0)
      FROM SALDOS_DOC_CXPAGAR S
      LEFT JOIN V_CRUCES_CXPAGAR C ON C.TIPODOC = S.TIPO AND C.IDDOC = S.ID AND C.FECHA > :HASTA
     WHERE S.TERC_NIT = :NIT AND S.ULTIMA > :HASTA AND S.FECHA + 0 <= :HASTA AND C.IDAB IS NOT NULL
      INTO :CIERRE;

    INICIAL = CORRIDO / TASA;
    SALDOF = CIERRE / TASA;
    DEBITO = 0; CREDITO = 0; ABONO = 0; RTFTE = 0; RTIVA = 0; RTICA = 0;
    ARTFTE = 0; ARTIVA = 0; ARTICA = 0; RCREE = 0; ARCREE = 0;
    TIPODOC = NULL; IDDOC = NULL; PREFIJO = NULL; NUMERO = NULL; FECHA = NULL;
    CONCEPTO = NULL; NUMPROV = NULL;
    SALDO = INICIAL;
    M_SALDO = NULL;
    FILAS = 0;
    FOR SELECT 0, S.TIPO, S.ID, S.PREF_PRE, S.NUMERO, S.FECHA, S.CONCEPTO, S.NUMPROV,
               IIF(:NETA = 1, S.MONTON, S.MONTOB), S.SIGNO, S.RTFTE, S.RTIVA, S.RTICA, S.ULTIMA
          FROM SALDOS_DOC_CXPAGAR S
         WHERE S.TERC_NIT = :NIT AND S.FECHA BETWEEN :DESDE AND :HASTA
        UNION ALL
        SELECT 1, C.TIPOAB, C.IDAB, MAX(C.PREFAB), MAX(C.NUMEROAB), MAXVALUE(C.FECHA, S.FECHA),
               CAST(NULL AS VARCHAR(60)), CAST(NULL AS VARCHAR(15)),
               SUM(C.ABONO + C.DTOF + IIF(:NETA = 1, 0, C.RTFTE + C.RTIVA + C.RTICA + C.RCREE)), 0,
               SUM(C.RTFTE), SUM(C.RTIVA), SUM(C.RTICA), CAST(NULL AS DATE)
          FROM (SELECT S.TIPO, S.ID, S.FECHA FROM SALDOS_DOC_CXPAGAR S
                 WHERE S.TERC_NIT = :NIT AND S.ULTIMA >= :DESDE AND S.FECHA + 0 <= :HASTA
                UNION ALL
                SELECT S.TIPO, S.ID, S.FECHA FROM SALDOS_DOC_CXPAGAR S
                 WHERE S.TERC_NIT = :NIT AND S.FECHA BETWEEN :DESDE AND :HASTA AND S.ULTIMA + 0 < :DESDE) S
          LEFT JOIN V_CRUCES_CXPAGAR C ON C.TIPODOC = S.TIPO AND C.IDDOC = S.ID AND C.FECHA <= :HASTA
         WHERE C.IDAB IS NOT NULL AND MAXVALUE(C.FECHA, S.FECHA) >= :DESDE
         GROUP BY C.TIPOAB, C.IDAB, MAXVALUE(C.FECHA, S.FECHA)
         ORDER BY 6, 1, 3, 2
          INTO :CLASE, :TIPO, :M_IDDOC, :M_PREFIJO, :M_NUMERO, :M_FECHA, :M_CONCEPTO, :M_NUMPROV,
               :VALOR, :SIGNO, :M_RTFTE, :M_RTIVA, :M_RTICA, :ULTIMA
    DO
    BEGIN
      FILAS = FILAS + 1;
      M_TIPODOC = DECODE(TIPO, 21, N21, 24, N24, 51, N51, 52, N52, 55, N55, 53, N53, 62, N62);
      -- The document's own withholdings, signed like its balance: those
      -- still pending when nothing has crossed it, else as it was saved.
      IF (CLASE = 0 AND ULTIMA IS NOT NULL) THEN
      BEGIN
        W_RTFTE = 0; W_RTIVA = 0; W_RTICA = 0;
        IF (TIPO = 51) THEN
          SELECT NDPR_RTFTEMONTO, NDPR_RTIVAMONTO, NDPR_RTICAMONTO FROM NOTAS_DEBITO_PROVEEDOR
           WHERE NDPR_ID = :M_IDDOC INTO :W_RTFTE, :W_RTIVA, :W_RTICA;
        ELSE IF (TIPO = 52) THEN
          SELECT NCPR_RTFTEMONTO, NCPR_RTIVAMONTO, NCPR_RTICAMONTO FROM NOTAS_CREDITO_PROVEEDOR
           WHERE NCPR_ID = :M_IDDOC INTO :W_RTFTE, :W_RTIVA, :W_RTICA;
        ELSE IF (TIPO = 21) THEN
          SELECT COALESCE(FACO_RTFTEMONTO, 0), COALESCE(FACO_RTIVAMONTO, 0), COALESCE(FACO_RTICAMONTO, 0)
            FROM FACTURAS_COMPRA WHERE FACO_ID = :M_IDDOC INTO :W_RTFTE, :W_RTIVA, :W_RTICA;
        ELSE IF (TIPO = 24) THEN
          SELECT COALESCE(DECO_RTFTEMONTO, 0), COALESCE(DECO_RTIVAMONTO, 0), COALESCE(DECO_RTICAMONTO, 0)
            FROM DEVOLUCIONES_COMPRAS WHERE DECO_ID = :M_IDDOC INTO :W_RTFTE, :W_RTIVA, :W_RTICA;
        ELSE IF (TIPO = 55) THEN
          SELECT ANPR_RTFTEMONTO, ANPR_RTIVAMONTO, ANPR_RTICAMONTO FROM ANTICIPOS_PROVEEDOR
           WHERE ANPR_ID = :M_IDDOC INTO :W_RTFTE, :W_RTIVA, :W_RTICA;
        M_RTFTE = SIGNO * W_RTFTE; M_RTIVA = SIGNO * W_RTIVA; M_RTICA = SIGNO * W_RTICA;
      END
      IF (CLASE = 0) THEN
      BEGIN
        M_DEBITO = IIF(VALOR > 0, VALOR, 0);
        M_CREDITO = IIF(VALOR < 0, -VALOR, 0);
        CORRIDO = CORRIDO + VALOR;
      END
      ELSE
      BEGIN
        M_CONCEPTO = NULL;
        IF (TIPO = 62) THEN
          SELECT EGRE_CONC FROM EGRESOS WHERE EGRE_ID = :M_IDDOC INTO :M_CONCEPTO;
        ELSE
          SELECT APPR_CONC FROM APLICACION_PROVEDOR WHERE APPR_ID = :M_IDDOC INTO :M_CONCEPTO;
        M_CREDITO = IIF(VALOR > 0, VALOR, 0);
        M_DEBITO = IIF(VALOR < 0, -VALOR, 0);
        CORRIDO = CORRIDO - VALOR;
      END
      -- In another currency a row's debit or credit is the change of the
      -- converted running balance, so that the rows add up to the closing
      -- balance to the cent.
      ANTERIOR = COALESCE(M_SALDO, INICIAL);
      M_SALDO = CORRIDO / TASA;
      IF (TASA <> 1) THEN
      BEGIN
        DIFERENCIA = M_SALDO - ANTERIOR;
        M_DEBITO = IIF(DIFERENCIA > 0, DIFERENCIA, 0);
        M_CREDITO = IIF(DIFERENCIA < 0, -DIFERENCIA, 0);
        M_RTFTE = M_RTFTE / TASA; M_RTIVA = M_RTIVA / TASA; M_RTICA = M_RTICA / TASA;
      END
      -- a crossing's short name is that of type 53 or 62 (short names are unique)
      IF (DETALLE = 'S') THEN
      BEGIN
        TIPODOC = M_TIPODOC; IDDOC = M_IDDOC; PREFIJO = M_PREFIJO; NUMERO = M_NUMERO;
        FECHA = M_FECHA; CONCEPTO = M_CONCEPTO; NUMPROV = M_NUMPROV;
        DEBITO = M_DEBITO; CREDITO = M_CREDITO; SALDO = M_SALDO;
        IF (CLASE = 1 AND M_TIPODOC IS NOT NULL) THEN
        BEGIN
          ABONO = M_CREDITO - M_DEBITO;
          ARTFTE = COALESCE(M_RTFTE, 0); ARTIVA = COALESCE(M_RTIVA, 0); ARTICA = COALESCE(M_RTICA, 0);
          RTFTE = 0; RTIVA = 0; RTICA = 0;
        END
        ELSE
        BEGIN
          ABONO = 0; ARTFTE = 0; ARTIVA = 0; ARTICA = 0;
          RTFTE = COALESCE(M_RTFTE, 0); RTIVA = COALESCE(M_RTIVA, 0); RTICA = COALESCE(M_RTICA, 0);
        END
        ID = ID + 1;
        SUSPEND;
      END
      ELSE
      BEGIN
        DEBITO = DEBITO + M_DEBITO;
        CREDITO = CREDITO + M_CREDITO;
        IF (CLASE = 1 AND M_TIPODOC IS NOT NULL) THEN
        BEGIN
          ABONO = ABONO + M_CREDITO - M_DEBITO;
          ARTFTE = ARTFTE + COALESCE(M_RTFTE, 0); ARTIVA = ARTIVA + COALESCE(M_RTIVA, 0);
          ARTICA = ARTICA + COALESCE(M_RTICA, 0);
        END
        ELSE
        BEGIN
          RTFTE = RTFTE + COALESCE(M_RTFTE, 0); RTIVA = RTIVA + COALESCE(M_RTIVA, 0);
          RTICA = RTICA + COALESCE(M_RTICA, 0);
        END
      END
    END
    IF (DETALLE <> 'S' OR FILAS = 0) THEN
    BEGIN
      SALDO = SALDOF;
      ID = ID + 1;
      SUSPEND;
    END
  END
END^

SET TERM ; ^

UPDATE REVISION SET REVI_FECHA = '2026/12/07';
