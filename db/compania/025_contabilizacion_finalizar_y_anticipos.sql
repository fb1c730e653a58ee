-- Finalizing a pending voucher again for a document already in the
-- ledger keeps the voucher's number: the earlier voucher is deleted and
-- the new one takes its number (same voucher type and accounting prefix)
-- in the one transaction of CONTABILIZA_PENDIENTE, so a failure leaves
-- the earlier voucher whole and a re-posting leaves no gap. Otherwise as
-- in file 022: the number is the accounting prefix's current one (or the
-- next free one), taken with the prefix row locked.

SET TERM ^ ;

CREATE OR ALTER PROCEDURE CONTABILIZA_PENDIENTE (IDCNT INTEGER)
RETURNS (ENCO_CONSEC INTEGER, NUMERO VARCHAR(8))
AS
DECLARE TIPOREF VARCHAR(2);
DECLARE IDREF INTEGER;
DECLARE TICO VARCHAR(3);
DECLARE PRCO VARCHAR(4);
DECLARE FECHA DATE;
DECLARE CONCEPTO VARCHAR(60);
DECLARE REF VARCHAR(20);
DECLARE PREFREF VARCHAR(4);
DECLARE NUMREF VARCHAR(6);
DECLARE NIT VARCHAR(20);
DECLARE MANDANTE VARCHAR(20);
DECLARE DEB NUMERIC(18,2);
DECLARE CRED NUMERIC(18,2);
DECLARE DESCUADRE VARCHAR(100);
DECLARE SIN_CUENTA INTEGER;
DECLARE SIGUIENTE VARCHAR(20);
DECLARE ANTERIOR VARCHAR(8);
BEGIN
  TIPOREF = NULL;
  SELECT CNTB_TIPOREF, CNTB_IDREF, CNTB_TIPOCOMP, CNTB_PREFCNT, CNTB_FECHA, CNTB_CONCEPTO, CNTB_REF,
         CNTB_PREFREF, CNTB_NUMREF, TERC_NIT, CNTB_MANDANTE
    FROM CONTABILIZACION WHERE CNTB_ID = :IDCNT
    INTO :TIPOREF, :IDREF, :TICO, :PRCO, :FECHA, :CONCEPTO, :REF, :PREFREF, :NUMREF, :NIT, :MANDANTE;
  IF (TIPOREF IS NULL) THEN
    EXCEPTION E_CONTABILIZACION 'No existe el comprobante pendiente ' || COALESCE(IDCNT, 0) || '.';

  SELECT COUNT(*) FROM CONTABILIZACION_DET
   WHERE CNTB_ID = :IDCNT AND NULLIF(TRIM(CNDE_CUENTA), '') IS NULL
     AND (COALESCE(CNDE_DEBITOS, 0) <> 0 OR COALESCE(CNDE_CREDITOS, 0) <> 0)
    INTO :SIN_CUENTA;
  IF (SIN_CUENTA > 0) THEN
    EXCEPTION E_CONTABILIZACION 'El comprobante tiene ' || SIN_CUENTA || ' movimiento(s) con valor y sin cuenta.';

  DESCUADRE = NULL;
  SELECT UPPER(TRIM(CONF_VALOR)) FROM CONFIGURACION
   WHERE CONF_MODULO = 'CONTABILIDAD' AND CONF_CATEGORIA = 'GENERAL'
     AND CONF_PROPIEDAD = 'PERMITIR COMPROBANTES DESCUADRADOS'
    INTO :DESCUADRE;
  IF (DESCUADRE IS DISTINCT FROM 'SI') THEN
  BEGIN
    SELECT COALESCE(SUM(CNDE_DEBITOS), 0), COALESCE(SUM(CNDE_CREDITOS), 0) FROM CONTABILIZACION_DET
     WHERE CNTB_ID = :IDCNT AND CNDE_ITEM < 100000
      INTO :DEB, :CRED;
    IF (DEB <> CRED) THEN
      EXCEPTION E_CONTABILIZACION 'No puede grabar un comprobante descuadrado: débitos ' || DEB
                                  || ', créditos ' || CRED || '.';
    SELECT COALESCE(SUM(CNDE_DEBITOS), 0), COALESCE(SUM(CNDE_CREDITOS), 0) FROM CONTABILIZACION_DET
     WHERE CNTB_ID = :IDCNT AND CNDE_ITEM > 100000
      INTO :DEB, :CRED;
    IF (DEB <> CRED) THEN
      EXCEPTION E_CONTABILIZACION 'No puede grabar un comprobante NIIF descuadrado: débitos ' || DEB
                                  || ', créditos ' || CRED || '.';
  END

  -- Lock the numbering first: concurrent postings on this prefix queue here.
  UPDATE PREFIJOS_CONTA SET PREF_NUMERO = PREF_NUMERO WHERE TICO_COD = :TICO AND PRCO_PREF = :PRCO;
  IF (ROW_COUNT = 0) THEN
    EXCEPTION E_CONTABILIZACION 'No existe el prefijo contable ' || COALESCE(PRCO, '') || ' del comprobante '
                                || COALESCE(TICO, '') || '.';

  -- The document's earlier voucher goes here, in the same transaction as
  -- the new one; under the same voucher type and prefix its number is
  -- kept, so that re-posting leaves no gap.
  NUMERO = NULL;
  FOR SELECT ENCO_CONSEC, IIF(TICO_COD = :TICO AND PRCO_PREF = :PRCO, ENCO_NUMERO, NULL)
        FROM COMPROBANTE_ENCABEZADO
       WHERE ENCO_TIPOREF = CAST(:TIPOREF AS INTEGER) AND ENCO_IDREF = :IDREF
       ORDER BY ENCO_CONSEC
        INTO :ENCO_CONSEC, :ANTERIOR
  DO
  BEGIN
    IF (NUMERO IS NULL) THEN
      NUMERO = ANTERIOR;
    DELETE FROM COMPROBANTE_DETALLE WHERE ENCO_CONSEC = :ENCO_CONSEC;
    DELETE FROM COMPROBANTE_DETALLE_NIIF WHERE ENCO_CONSEC = :ENCO_CONSEC;
    DELETE FROM COMPROBANTE_ENCABEZADO WHERE ENCO_CONSEC = :ENCO_CONSEC;
  END

  IF (NUMERO IS NULL) THEN
  BEGIN
    SELECT PREF_NUMERO FROM PREFIJOS_CONTA WHERE TICO_COD = :TICO AND PRCO_PREF = :PRCO INTO :NUMERO;
    -- A number typed by hand in the ledger may be taken already: the next free one.
    WHILE (EXISTS (SELECT 1 FROM COMPROBANTE_ENCABEZADO
                    WHERE TICO_COD = :TICO AND PRCO_PREF = :PRCO AND ENCO_NUMERO = :NUMERO)) DO
    BEGIN
      EXECUTE PROCEDURE SIGUIENTE_NUMERO (:NUMERO) RETURNING_VALUES :SIGUIENTE;
      IF (SIGUIENTE IS NULL) THEN
        EXCEPTION E_CONTABILIZACION 'Se agotó la numeración del prefijo contable ' || PRCO || '.';
      NUMERO = SIGUIENTE;
    END
  END

  INSERT INTO COMPROBANTE_ENCABEZADO (ENCO_CONSEC, TICO_COD, PRCO_PREF, ENCO_NUMERO, ENCO_FECHA, ENCO_CONCEPTO,
                                      ENCO_ANULADO, ENCO_TIPOREF, ENCO_IDREF, ENCO_PREFREF, ENCO_NUMREF, ENCO_REF,
                                      TERC_NIT, ENCO_MANDANTE, ENCO_USUARIO)
  VALUES (0, :TICO, :PRCO, :NUMERO, :FECHA, :CONCEPTO, 'N', CAST(:TIPOREF AS INTEGER), :IDREF, :PREFREF, :NUMREF,
          :REF, :NIT, :MANDANTE, LEFT(CURRENT_USER, 10))
  RETURNING ENCO_CONSEC INTO :ENCO_CONSEC;

  INSERT INTO COMPROBANTE_DETALLE (ENCO_CONSEC, CODE_ITEM, CUEN_COD, TERC_NIT, PROY_COD, CENT_COD, CODE_CONCEPTO,
                                   CODE_REF, CODE_CONCOD, CODE_BASE, CODE_PORC, CODE_DEBITOS, CODE_CREDITOS,
                                   ACFJ_COD, CODE_DOCVENCE, CODE_DOCTIPON, CODE_DOCTIPOA, CODE_DOCNUMERO,
                                   CODE_DOCAPLICAR)
  SELECT :ENCO_CONSEC, CNDE_ITEM, TRIM(CNDE_CUENTA), CNDE_TERC, CNDE_PROY, CNDE_CENTRO, CNDE_CONC,
         CNDE_REF, CNDE_CONCOD, COALESCE(CNDE_BASE, 0), COALESCE(CNDE_PORC, 0), COALESCE(CNDE_DEBITOS, 0),
         COALESCE(CNDE_CREDITOS, 0), CNDE_ARTICULO, CNDE_DOCVENCE, CNDE_DOCTIPON, CNDE_DOCTIPOA,
         CNDE_DOCNUMERO, CNDE_DOCAPLICAR
    FROM CONTABILIZACION_DET
   WHERE CNTB_ID = :IDCNT AND CNDE_ITEM < 100000 AND NULLIF(TRIM(CNDE_CUENTA), '') IS NOT NULL
     AND (COALESCE(CNDE_DEBITOS, 0) <> 0 OR COALESCE(CNDE_CREDITOS, 0) <> 0);

  INSERT INTO COMPROBANTE_DETALLE_NIIF (ENCO_CONSEC, CODE_ITEM, CUEN_COD, TERC_NIT, PROY_COD, CENT_COD,
                                        CODE_CONCEPTO, CODE_REF, CODE_CONCOD, CODE_BASE, CODE_PORC, CODE_DEBITOS,
                                        CODE_CREDITOS, ACFJ_COD, CODE_DOCVENCE, CODE_DOCTIPON, CODE_DOCTIPOA,
                                        CODE_DOCNUMERO, CODE_DOCAPLICAR)
  SELECT :ENCO_CONSEC, CNDE_ITEM - 100000, TRIM(CNDE_CUENTA), CNDE_TERC, CNDE_PROY, CNDE_CENTRO, CNDE_CONC,
         CNDE_REF, CNDE_CONCOD, COALESCE(CNDE_BASE, 0), COALESCE(CNDE_PORC, 0), COALESCE(CNDE_DEBITOS, 0),
         COALESCE(CNDE_CREDITOS, 0), CNDE_ARTICULO, CNDE_DOCVENCE, CNDE_DOCTIPON, CNDE_DOCTIPOA,
         CNDE_DOCNUMERO, CNDE_DOCAPLICAR
    FROM CONTABILIZACION_DET
   WHERE CNTB_ID = :IDCNT AND CNDE_ITEM > 100000 AND NULLIF(TRIM(CNDE_CUENTA), '') IS NOT NULL
     AND (COALESCE(CNDE_DEBITOS, 0) <> 0 OR COALESCE(CNDE_CREDITOS, 0) <> 0);

  UPDATE CONTABILIZACION SET CNTB_PROCESADO = 'S', CNTB_NUMERO = LEFT(:NUMERO, 6) WHERE CNTB_ID = :IDCNT;
END^

SET TERM ; ^


-- A payment voucher that pays out an advance with withholdings, on the
-- gross basis: the advance account takes the advance's gross amount and
-- the voucher credits the withholdings it takes (see db/README.md,
-- "Advances paid out"), so that the advance account follows the advance's
-- balance on both bases.

SET TERM ^ ;

CREATE OR ALTER PROCEDURE CNT_EGRESO (ID INTEGER, INTERFAZ INTEGER, ETAPA CHAR(1), IDC_IN INTEGER)
RETURNS (ERROR INTEGER, VER CHAR(1), IDC INTEGER)
AS
DECLARE TE INTEGER;
DECLARE NIIF SMALLINT;
DECLARE CH SMALLINT;
DECLARE EQ CHAR(1);
DECLARE EQA CHAR(1);
DECLARE ITEM INTEGER;
DECLARE E INTEGER;
DECLARE NETA SMALLINT;
DECLARE D_TIPO INTEGER;
DECLARE TICO VARCHAR(3);
DECLARE PRCO VARCHAR(4);
DECLARE EQUIVAL CHAR(1);
DECLARE S_CAJA CHAR(1);
DECLARE S_RTFTE CHAR(1);
DECLARE S_RTIVA CHAR(1);
DECLARE S_RTICA CHAR(1);
DECLARE S_PROV CHAR(1);
DECLARE S_CREE CHAR(1);
DECLARE K_CAJA VARCHAR(20);
DECLARE K_RTFTE VARCHAR(20);
DECLARE K_RTIVA VARCHAR(20);
DECLARE K_RTICA VARCHAR(20);
DECLARE K_PROV VARCHAR(20);
DECLARE K_CREE VARCHAR(20);
DECLARE K_DTOF VARCHAR(20);
DECLARE K_EXCED VARCHAR(20);
DECLARE K_CLIENTE VARCHAR(20);
DECLARE NIT VARCHAR(20);
DECLARE PREF VARCHAR(4);
DECLARE NUM VARCHAR(6);
DECLARE FECHA DATE;
DECLARE CONC VARCHAR(60);
DECLARE EXCED NUMERIC(15,2);
DECLARE ANULADO CHAR(1);
DECLARE L_TIPO INTEGER;
DECLARE L_ID INTEGER;
DECLARE L_PREF VARCHAR(4);
DECLARE L_NUM VARCHAR(8);
DECLARE L_ABONO NUMERIC(15,2);
DECLARE L_DTOF NUMERIC(15,2);
DECLARE L_RTFTE NUMERIC(15,2);
DECLARE L_RTIVA NUMERIC(15,2);
DECLARE L_RTICA NUMERIC(15,2);
DECLARE L_CREE NUMERIC(15,2);
DECLARE T_ABONO NUMERIC(15,2);
DECLARE T_DTOF NUMERIC(15,2);
DECLARE T_RTFTE NUMERIC(15,2);
DECLARE T_RTIVA NUMERIC(15,2);
DECLARE T_RTICA NUMERIC(15,2);
DECLARE T_CREE NUMERIC(15,2);
DECLARE T_PAGO NUMERIC(15,2);
DECLARE T_TOTAL NUMERIC(15,2);
DECLARE V NUMERIC(15,2);
DECLARE K INTEGER;
DECLARE PAGA SMALLINT;
DECLARE CUENTA VARCHAR(20);
DECLARE CTA2 VARCHAR(20);
DECLARE ORIGEN VARCHAR(100);
DECLARE COMPONENTE VARCHAR(60);
DECLARE CODIGO INTEGER;
DECLARE REF VARCHAR(8);
DECLARE C_CAJA INTEGER;
DECLARE DESTINO INTEGER;
DECLARE C_FOPA INTEGER;
DECLARE C_NUM VARCHAR(20);
DECLARE C_MONTO NUMERIC(15,2);
DECLARE C_GMF CHAR(1);
DECLARE C_GMFPOR NUMERIC(15,4);
DECLARE F_DEB NUMERIC(15,2);
DECLARE F_CRED NUMERIC(15,2);
DECLARE F_BASE NUMERIC(15,2);
DECLARE F_PORC NUMERIC(15,4);
DECLARE F_NIT VARCHAR(20);
DECLARE F_PROY VARCHAR(4);
DECLARE F_CENTRO VARCHAR(4);
DECLARE F_CATEG VARCHAR(4);
DECLARE F_ITEM INTEGER;
DECLARE A_ITEM INTEGER;
DECLARE A_CUENTA VARCHAR(20);
DECLARE A_BASE VARCHAR(20);
DECLARE A_VALOR NUMERIC(15,2);
DECLARE A_PORC NUMERIC(15,2);
DECLARE A_DB CHAR(1);
DECLARE A_CN CHAR(1);
DECLARE P_RTFTE NUMERIC(15,2);
DECLARE P_RTIVA NUMERIC(15,2);
DECLARE P_RTICA NUMERIC(15,2);
DECLARE OTROS SMALLINT;
DECLARE O_RTFTE NUMERIC(15,2);
DECLARE O_RTIVA NUMERIC(15,2);
DECLARE O_RTICA NUMERIC(15,2);
DECLARE O_CREE NUMERIC(15,2);
DECLARE O_DTOF NUMERIC(15,2);
BEGIN
  ERROR = 0; VER = 'N'; IDC = 0;
  NIIF = IIF(ETAPA = 'C', 0, 1);
  CH = NIIF;
  TE = IIF(ETAPA = 'C', 62, 31);
  DELETE FROM ERRORES WHERE ERRO_TIPODOC = :TE AND ERRO_IDDOC = :ID;
  D_TIPO = NULL;
  SELECT TIDO_COD, TICO_COD, PRCO_PRE, INCJ_EQUIVALENCIA, INCJ_CONFIRMAR,
         INCJ_CAJA, INCJ_RTFTE, INCJ_RTIVA, INCJ_RTICA, INCJ_PROV, INCJ_RTCREE,
         INCJ_CTACAJA, INCJ_CTARTFTE, INCJ_CTARTIVA, INCJ_CTARTICA, INCJ_CTAPROV, INCJ_CTARTCREE,
         INCJ_CTADTOF, INCJ_CTAEXCEDENTE, INCJ_CTACLIENTE
    FROM INTERFAZ_CAJA WHERE INCJ_ID = :INTERFAZ
    INTO :D_TIPO, :TICO, :PRCO, :EQUIVAL, :VER,
         :S_CAJA, :S_RTFTE, :S_RTIVA, :S_RTICA, :S_PROV, :S_CREE,
         :K_CAJA, :K_RTFTE, :K_RTIVA, :K_RTICA, :K_PROV, :K_CREE, :K_DTOF, :K_EXCED, :K_CLIENTE;
  VER = COALESCE(VER, 'N');
  IF (D_TIPO IS DISTINCT FROM 62) THEN
  BEGIN
    EXECUTE PROCEDURE CNT_ERROR (:TE, :ID, 2,
      'La interfaz de caja ' || COALESCE(INTERFAZ, 0) || ' no existe o no es de documentos tipo 62');
    ERROR = 1; IDC = IIF(ETAPA = 'C', 0, COALESCE(IDC_IN, 0));
    SUSPEND;
    EXIT;
  END
  ANULADO = NULL;
  SELECT TERC_NIT, PREF_PRE, EGRE_NUMERO, EGRE_FECHA, EGRE_CONC, COALESCE(EGRE_EXCEDENTE, 0), EGRE_ANULADO,
         IIF(EGRE_TIPO = '2', CAJA_ID, NULL), IIF(EGRE_TIPO = '3', 1, 0),
         COALESCE(EGRE_RTFTEMONTO, 0), COALESCE(EGRE_RTIVAMONTO, 0), COALESCE(EGRE_RTICAMONTO, 0),
         COALESCE(EGRE_RTCREE, 0), COALESCE(EGRE_DTOF, 0)
    FROM EGRESOS WHERE EGRE_ID = :ID
    INTO :NIT, :PREF, :NUM, :FECHA, :CONC, :EXCED, :ANULADO, :DESTINO, :OTROS,
         :O_RTFTE, :O_RTIVA, :O_RTICA, :O_CREE, :O_DTOF;
  IF (ANULADO IS DISTINCT FROM 'N') THEN
  BEGIN
    EXECUTE PROCEDURE CNT_ERROR (:TE, :ID, 1,
      IIF(ANULADO IS NULL, 'No existe el documento ', 'Está anulado el documento ') || '62-' || ID);
    ERROR = 1; IDC = IIF(ETAPA = 'C', 0, COALESCE(IDC_IN, 0));
    SUSPEND;
    EXIT;
  END
  EQ = 'N';
  IF (NIIF = 1) THEN
  BEGIN
    IF (EQUIVAL = 'S') THEN
    BEGIN
      EQ = 'S';
      NIIF = 0;
    END
    ELSE
    BEGIN
      D_TIPO = NULL;
      SELECT 1, INCJ_CAJA, INCJ_RTFTE, INCJ_RTIVA, INCJ_RTICA, INCJ_PROV, INCJ_RTCREE,
             INCJ_CTACAJA, INCJ_CTARTFTE, INCJ_CTARTIVA, INCJ_CTARTICA, INCJ_CTAPROV, INCJ_CTARTCREE,
             INCJ_CTADTOF, INCJ_CTAEXCEDENTE, INCJ_CTACLIENTE
        FROM INTERFAZ_CAJA_NIIF WHERE INCJ_ID = :INTERFAZ
        INTO :D_TIPO, :S_CAJA, :S_RTFTE, :S_RTIVA, :S_RTICA, :S_PROV, :S_CREE,
             :K_CAJA, :K_RTFTE, :K_RTIVA, :K_RTICA, :K_PROV, :K_CREE, :K_DTOF, :K_EXCED, :K_CLIENTE;
      IF (D_TIPO IS NULL) THEN
      BEGIN
        EXECUTE PROCEDURE CNT_ERROR (31, :ID, 20,
          'La interfaz de caja ' || INTERFAZ || ' no tiene cuentas NIIF ni genera NIIF por equivalencia');
        ERROR = 1; IDC = COALESCE(IDC_IN, 0);
        SUSPEND;
        EXIT;
      END
    END
  END
  EQA = IIF(ETAPA = 'C', 'N', 'S');
  EXECUTE PROCEDURE CNT_ABRA_ETAPA (:ETAPA, 62, :ID, :IDC_IN, :PREF, :NUM, :FECHA, :TICO, :PRCO,
                                    :CONC, :NIT, NULL, :EQUIVAL)
    RETURNING_VALUES :IDC, :ITEM;
  IF (IDC = 0) THEN
  BEGIN
    ERROR = 1;
    SUSPEND;
    EXIT;
  END
  EXECUTE PROCEDURE BASE_NETA_CXPAGAR RETURNING_VALUES :NETA;
  S_PROV = COALESCE(S_PROV, 'N'); S_CAJA = COALESCE(S_CAJA, 'N');
  REF = LEFT(NUM, 8);
  T_ABONO = 0; T_DTOF = 0; T_RTFTE = 0; T_RTIVA = 0; T_RTICA = 0; T_CREE = 0; T_PAGO = 0; T_TOTAL = 0;

  -- Documents paid: the payable (or the advance) of each one.
  FOR SELECT EGDE_TIPODOC, EGDE_IDDOC, EGDE_PREFIJO, EGDE_NUMERO, EGDE_ABONO, EGDE_DTOF,
             EGDE_RTFTE, EGDE_RTIVA, EGDE_RTICA, EGDE_RCREE
        FROM EGRESOS_DETALLE
       WHERE EGRE_ID = :ID AND COALESCE(EGDE_ANULADO, 'N') <> 'S'
       ORDER BY EGDE_ITEM
        INTO :L_TIPO, :L_ID, :L_PREF, :L_NUM, :L_ABONO, :L_DTOF, :L_RTFTE, :L_RTIVA, :L_RTICA, :L_CREE
  DO
  BEGIN
    -- The line that pays out an advance this voucher registers: the
    -- advance is given (debit), its net amount N entered negated. On the
    -- gross basis the advance stands in the ledger at G = N + W and this
    -- voucher is what takes its withholdings (the advance's own, not the
    -- line's): the advance account takes G and the withholdings are
    -- credited below. On the net basis it stands at N and its withholdings
    -- make no line here (they are posted with the debt it is applied to).
    PAGA = IIF(L_TIPO = 55 AND EXISTS (SELECT 1 FROM ANTICIPOS_PROVEEDOR
                                         WHERE ANPR_ID = :L_ID AND EGRE_ID = :ID), 1, 0);
    IF (PAGA = 1) THEN
    BEGIN
      V = -L_ABONO;
      IF (NETA = 0) THEN
      BEGIN
        SELECT COALESCE(ANPR_RTFTEMONTO, 0), COALESCE(ANPR_RTIVAMONTO, 0), COALESCE(ANPR_RTICAMONTO, 0)
          FROM ANTICIPOS_PROVEEDOR WHERE ANPR_ID = :L_ID
          INTO :P_RTFTE, :P_RTIVA, :P_RTICA;
        V = V + P_RTFTE + P_RTIVA + P_RTICA;
        T_RTFTE = T_RTFTE + P_RTFTE; T_RTIVA = T_RTIVA + P_RTIVA; T_RTICA = T_RTICA + P_RTICA;
      END
    END
    ELSE
    BEGIN
      V = L_ABONO + L_DTOF;
      IF (NETA = 0) THEN
        V = V + L_RTFTE + L_RTIVA + L_RTICA + L_CREE;
      T_DTOF = T_DTOF + L_DTOF;
      T_RTFTE = T_RTFTE + L_RTFTE; T_RTIVA = T_RTIVA + L_RTIVA;
      T_RTICA = T_RTICA + L_RTICA; T_CREE = T_CREE + L_CREE;
    END
    T_ABONO = T_ABONO + IIF(PAGA = 1, -L_ABONO, L_ABONO);
    T_TOTAL = T_TOTAL + V;
    IF (S_PROV = 'N' AND L_TIPO <> 55) THEN
    BEGIN
      IF (V <> 0) THEN
      BEGIN
        EXECUTE PROCEDURE CNT_ERROR (:TE, :ID, 9, 'La cuenta por pagar tiene valor y la interfaz de caja ' || INTERFAZ
                                                  || ' no le da cuenta (fuente N)');
        ERROR = ERROR + 1;
      END
    END
    ELSE
    BEGIN
      EXECUTE PROCEDURE CNT_CUENTA_CRUCE (:S_PROV, :L_TIPO, :L_ID, :NIT, :NIIF, :K_PROV, :INTERFAZ)
        RETURNING_VALUES :CUENTA, :ORIGEN, :COMPONENTE, :CODIGO;
      -- A reference the ledger's column cannot hold is refused, not cut.
      IF (CHAR_LENGTH(COALESCE(L_PREF, '') || COALESCE(L_NUM, '')) > 10) THEN
      BEGIN
        EXECUTE PROCEDURE CNT_ERROR (:TE, :ID, 23, 'La referencia ' || COALESCE(L_PREF, '') || COALESCE(L_NUM, '')
                                                   || ' del documento ' || L_TIPO || ' tiene más de 10 caracteres');
        ERROR = ERROR + 1;
      END
      ELSE
      BEGIN
        EXECUTE PROCEDURE CNT_LINEA (:IDC, :ITEM, :CH, :EQ, :TE, :ID, :CODIGO, :CUENTA, :COMPONENTE,
                                     :ORIGEN, :NIT, NULL, NULL, :CONC, :REF, NULL, 0, 0, :V, NULL, 62, :L_TIPO,
                                     COALESCE(:PREF, '') || COALESCE(:NUM, ''),
                                     COALESCE(:L_PREF, '') || COALESCE(:L_NUM, ''))
          RETURNING_VALUES :ITEM, :E;
        ERROR = ERROR + E;
      END
    END
  END

  -- A voucher of other payments (class 3) has no documents: the totals
  -- the person typed are its withholdings and discount, posted whatever
  -- the basis (no debt posted them); its own accounting lines carry the
  -- other side.
  IF (OTROS = 1 AND NOT EXISTS (SELECT 1 FROM EGRESOS_DETALLE
                                 WHERE EGRE_ID = :ID AND COALESCE(EGDE_ANULADO, 'N') <> 'S')) THEN
  BEGIN
    T_RTFTE = O_RTFTE; T_RTIVA = O_RTIVA; T_RTICA = O_RTICA; T_CREE = O_CREE; T_DTOF = O_DTOF;
  END
  ELSE
    OTROS = 0;

  -- Withholdings taken at payment (when withholdings are taken on paying;
  -- otherwise the debt's posting made them already).
  IF (NETA = 0 OR OTROS = 1) THEN
  BEGIN
    K = 1;
    WHILE (K <= 4) DO
    BEGIN
      V = IIF(K = 1, T_RTFTE, IIF(K = 2, T_RTIVA, IIF(K = 3, T_RTICA, T_CREE)));
      IF (V <> 0) THEN
      BEGIN
        IF (COALESCE(IIF(K = 1, S_RTFTE, IIF(K = 2, S_RTIVA, IIF(K = 3, S_RTICA, S_CREE))), 'N') = 'N') THEN
        BEGIN
          EXECUTE PROCEDURE CNT_ERROR (:TE, :ID, 9,
            'La ' || IIF(K = 1, 'retención en la fuente', IIF(K = 2, 'retención de IVA',
                     IIF(K = 3, 'retención de ICA', 'AutoRenta (CREE)')))
            || ' tiene valor y la interfaz de caja ' || INTERFAZ || ' no le da cuenta (fuente N)');
          ERROR = ERROR + 1;
        END
        ELSE
        BEGIN
          EXECUTE PROCEDURE CNT_FUENTE (IIF(:K = 1, :S_RTFTE, IIF(:K = 2, :S_RTIVA, IIF(:K = 3, :S_RTICA, :S_CREE))),
                                        IIF(:K = 1, 'RTFTE', IIF(:K = 2, 'RTIVA', IIF(:K = 3, 'RTICA', 'RTCREE'))),
                                        :NIIF, :NIT, NULL,
                                        IIF(:K = 1, :K_RTFTE, IIF(:K = 2, :K_RTIVA, IIF(:K = 3, :K_RTICA, :K_CREE))),
                                        0, NULL, :INTERFAZ)
            RETURNING_VALUES :CUENTA, :ORIGEN;
          EXECUTE PROCEDURE CNT_LINEA (:IDC, :ITEM, :CH, :EQ, :TE, :ID, 11 + :K, :CUENTA,
                                       IIF(:K = 1, 'retención en la fuente', IIF(:K = 2, 'retención de IVA',
                                         IIF(:K = 3, 'retención de ICA', 'AutoRenta (CREE)'))),
                                       :ORIGEN, :NIT, NULL, NULL, :CONC, :REF, NULL, 0, 0, -:V,
                                       NULL, NULL, NULL, NULL, NULL)
            RETURNING_VALUES :ITEM, :E;
          ERROR = ERROR + E;
        END
      END
      K = K + 1;
    END
  END

  -- Prompt-payment discount taken: income.
  EXECUTE PROCEDURE CNT_LINEA (:IDC, :ITEM, :CH, :EQ, :TE, :ID, 32, :K_DTOF,
                               'descuento por pronto pago', 'la interfaz de caja ' || :INTERFAZ, :NIT, NULL, NULL,
                               :CONC, :REF, NULL, 0, 0, -:T_DTOF, NULL, NULL, NULL, NULL, NULL)
    RETURNING_VALUES :ITEM, :E;
  ERROR = ERROR + E;

  -- Surplus paid beyond the documents.
  EXECUTE PROCEDURE CNT_LINEA (:IDC, :ITEM, :CH, :EQ, :TE, :ID, 33, :K_EXCED,
                               'excedente', 'la interfaz de caja ' || :INTERFAZ, :NIT, NULL, NULL,
                               :CONC, :REF, NULL, 0, 0, :EXCED, NULL, NULL, NULL, NULL, NULL)
    RETURNING_VALUES :ITEM, :E;
  ERROR = ERROR + E;

  -- Cash items: the form of payment's account when it has one, else the
  -- cash box's (T); the definition's (K). Boxes and forms keep local
  -- accounts only: the NIIF line takes their equivalent.
  FOR SELECT C.CAJA_ID, C.FOPA_ID, C.EGCA_NUMERO, COALESCE(C.EGCA_MONTO, 0),
             COALESCE(NULLIF(TRIM(F.FOPA_CTACONTA), ''), B.CAJA_CUENTA)
        FROM EGRESOS_CAJA C
        LEFT JOIN CAJAS B ON B.CAJA_ID = C.CAJA_ID
        LEFT JOIN FORMAS_PAGO F ON F.FOPA_ID = C.FOPA_ID
       WHERE C.EGRE_ID = :ID AND COALESCE(C.EGCA_ANULADO, 'N') <> 'S'
       ORDER BY C.EGCA_ITEM
        INTO :C_CAJA, :C_FOPA, :C_NUM, :C_MONTO, :CTA2
  DO
  BEGIN
    T_PAGO = T_PAGO + C_MONTO;
    -- Source N gives the cash no account (and I, the IVA rates' source,
    -- has none to give it): an amount there is an error, never posted as T.
    IF (S_CAJA IN ('N', 'I')) THEN
    BEGIN
      IF (C_MONTO <> 0) THEN
      BEGIN
        EXECUTE PROCEDURE CNT_ERROR (:TE, :ID, 9, 'La caja tiene valor y la interfaz de caja ' || INTERFAZ
                                                  || ' no le da cuenta (fuente ' || S_CAJA || ')');
        ERROR = ERROR + 1;
      END
      E = 0;
    END
    ELSE IF (S_CAJA = 'K') THEN
      EXECUTE PROCEDURE CNT_LINEA (:IDC, :ITEM, :CH, :EQ, :TE, :ID, 30, :K_CAJA, 'caja',
                                   'la interfaz de caja ' || :INTERFAZ || ' (fuente K)', :NIT, NULL, NULL,
                                   :CONC, :REF, NULL, 0, 0, -:C_MONTO, NULL, NULL, NULL, NULL, NULL)
        RETURNING_VALUES :ITEM, :E;
    ELSE
      EXECUTE PROCEDURE CNT_LINEA (:IDC, :ITEM, :CH, IIF(:CH = 1, 'S', 'N'), :TE, :ID, 30, :CTA2, 'caja',
                                   'la caja ' || COALESCE(:C_CAJA, 0) || ' y la forma de pago ' || COALESCE(:C_FOPA, 0)
                                   || ' (fuente T)', :NIT, NULL, NULL, :CONC, :REF, NULL, 0, 0, -:C_MONTO,
                                   NULL, NULL, NULL, NULL, NULL)
        RETURNING_VALUES :ITEM, :E;
    ERROR = ERROR + E;
  END

  -- The bank document: the bank account's ledger account, and the levy
  -- on financial transactions when it is charged.
  FOR SELECT B.CUBA_COD, B.EGBC_NUMERO, COALESCE(B.EGBC_MONTO, 0), COALESCE(B.EGBC_GMF, 'N'),
             C.CUBA_CTACONTA, C.CUBA_CTAGMF, COALESCE(C.CUBA_GMFPOR, 0)
        FROM EGRESOS_BANCO B LEFT JOIN CUENTAS_BANCO C ON C.CUBA_COD = B.CUBA_COD
       WHERE B.EGRE_ID = :ID AND COALESCE(B.EGBC_ANULADO, 'N') <> 'S'
        INTO :C_CAJA, :C_NUM, :C_MONTO, :C_GMF, :CTA2, :CUENTA, :C_GMFPOR
  DO
  BEGIN
    T_PAGO = T_PAGO + C_MONTO;
    V = IIF(C_GMF = 'S', ROUND(C_MONTO * C_GMFPOR / 100, 2), 0);
    IF (S_CAJA = 'K') THEN
      CTA2 = K_CAJA;
    IF (S_CAJA IN ('N', 'I')) THEN
    BEGIN
      IF (C_MONTO <> 0) THEN
      BEGIN
        EXECUTE PROCEDURE CNT_ERROR (:TE, :ID, 9, 'El banco tiene valor y la interfaz de caja ' || INTERFAZ
                                                  || ' no le da cuenta (fuente ' || S_CAJA || ')');
        ERROR = ERROR + 1;
      END
    END
    ELSE
    BEGIN
    EXECUTE PROCEDURE CNT_LINEA (:IDC, :ITEM, :CH, IIF(:CH = 1 AND (:S_CAJA <> 'K' OR :EQ = 'S'), 'S', :EQ), :TE, :ID,
                                 31, :CTA2, 'banco', IIF(:S_CAJA = 'K', 'la interfaz de caja ' || :INTERFAZ || ' (fuente K)',
                                 'la cuenta bancaria ' || COALESCE(:C_CAJA, 0) || ' (fuente T)'), :NIT, NULL, NULL,
                                 :CONC, LEFT(:C_NUM, 8), NULL, 0, 0, -(:C_MONTO + :V), NULL, NULL, NULL, NULL, NULL)
      RETURNING_VALUES :ITEM, :E;
    ERROR = ERROR + E;
    EXECUTE PROCEDURE CNT_LINEA (:IDC, :ITEM, :CH, IIF(:CH = 1, 'S', 'N'), :TE, :ID, 37, :CUENTA,
                                 'gravamen a los movimientos financieros', 'la cuenta bancaria ' || COALESCE(:C_CAJA, 0),
                                 :NIT, NULL, NULL, :CONC, LEFT(:C_NUM, 8), NULL, :C_MONTO, :C_GMFPOR, :V,
                                 NULL, NULL, NULL, NULL, NULL)
      RETURNING_VALUES :ITEM, :E;
    ERROR = ERROR + E;
    END
  END

  -- A transfer to a cash box (EGRE_TIPO 2): what left the cash and the
  -- bank enters the destination box.
  IF (DESTINO IS NOT NULL) THEN
  BEGIN
    CTA2 = NULL;
    SELECT CAJA_CUENTA FROM CAJAS WHERE CAJA_ID = :DESTINO INTO :CTA2;
    EXECUTE PROCEDURE CNT_LINEA (:IDC, :ITEM, :CH, IIF(:CH = 1, 'S', 'N'), :TE, :ID, 30, :CTA2, 'caja',
                                 'la caja de destino ' || :DESTINO, :NIT, NULL, NULL, :CONC, :REF, NULL, 0, 0,
                                 :T_PAGO, NULL, NULL, NULL, NULL, NULL)
      RETURNING_VALUES :ITEM, :E;
    ERROR = ERROR + E;
  END

  -- Receivables of the third party crossed: its customer account.
  FOR SELECT EGCC_ITEM, COALESCE(EGCC_ABONO, 0), EGCC_PREFIJO, EGCC_NUMERO, EGCC_TIPODOC
        FROM EGRESOS_CRUCEC WHERE EGRE_ID = :ID AND COALESCE(EGCC_ANULADO, 'N') <> 'S'
       ORDER BY EGCC_ITEM
        INTO :F_ITEM, :V, :L_PREF, :L_NUM, :L_TIPO
  DO
  BEGIN
    CUENTA = NULL;
    IF (COALESCE(S_PROV, 'N') <> 'K') THEN
      EXECUTE PROCEDURE CNT_CUENTA_TERCERO (:NIT, 'CLIENTE', :NIIF) RETURNING_VALUES :CUENTA;
    CUENTA = COALESCE(NULLIF(TRIM(CUENTA), ''), K_CLIENTE);
    IF (CHAR_LENGTH(COALESCE(L_PREF, '') || COALESCE(L_NUM, '')) > 10) THEN
    BEGIN
      EXECUTE PROCEDURE CNT_ERROR (:TE, :ID, 23, 'La referencia ' || COALESCE(L_PREF, '') || COALESCE(L_NUM, '')
                                                 || ' del documento ' || COALESCE(L_TIPO, 0) || ' tiene más de 10 caracteres');
      ERROR = ERROR + 1;
    END
    ELSE
    BEGIN
      EXECUTE PROCEDURE CNT_LINEA (:IDC, :ITEM, :CH, :EQ, :TE, :ID, 34, :CUENTA, 'cuentas por cobrar',
                                   'el tercero ' || COALESCE(:NIT, '') || ' ni la interfaz de caja ' || :INTERFAZ,
                                   :NIT, NULL, NULL, :CONC, :REF, NULL, 0, 0, -:V, NULL, 62, :L_TIPO,
                                   COALESCE(:PREF, '') || COALESCE(:NUM, ''),
                                   COALESCE(:L_PREF, '') || COALESCE(:L_NUM, ''))
        RETURNING_VALUES :ITEM, :E;
      ERROR = ERROR + E;
    END
  END

  -- The voucher's own accounting lines, as they are.
  FOR SELECT EGCO_ITEM, CUEN_COD, COALESCE(EGCO_DEBITOS, 0), COALESCE(EGCO_CREDITOS, 0), EGCO_BASEM, EGCO_PORC,
             EGCO_CONC, EGCO_NIT, EGCO_PROY, EGCO_CENTRO, EGCO_CATEG
        FROM EGRESOS_CONTABILIDAD WHERE EGRE_ID = :ID ORDER BY EGCO_ITEM
        INTO :F_ITEM, :CTA2, :F_DEB, :F_CRED, :F_BASE, :F_PORC, :COMPONENTE, :F_NIT, :F_PROY, :F_CENTRO, :F_CATEG
  DO
  BEGIN
    EXECUTE PROCEDURE CNT_LINEA (:IDC, :ITEM, :CH, IIF(:CH = 1, 'S', 'N'), :TE, :ID, 35, :CTA2,
                                 'la línea contable ' || :F_ITEM, 'el comprobante de egreso', COALESCE(:F_NIT, :NIT),
                                 :F_PROY, :F_CENTRO, COALESCE(:COMPONENTE, :CONC), :REF, :F_CATEG, :F_BASE, :F_PORC,
                                 :F_DEB, NULL, NULL, NULL, NULL, NULL)
      RETURNING_VALUES :ITEM, :E;
    ERROR = ERROR + E;
    EXECUTE PROCEDURE CNT_LINEA (:IDC, :ITEM, :CH, IIF(:CH = 1, 'S', 'N'), :TE, :ID, 35, :CTA2,
                                 'la línea contable ' || :F_ITEM, 'el comprobante de egreso', COALESCE(:F_NIT, :NIT),
                                 :F_PROY, :F_CENTRO, COALESCE(:COMPONENTE, :CONC), :REF, :F_CATEG, :F_BASE, :F_PORC,
                                 -:F_CRED, NULL, NULL, NULL, NULL, NULL)
      RETURNING_VALUES :ITEM, :E;
    ERROR = ERROR + E;
  END

  -- Additional lines: BASE the amounts paid, PAGAR the cash and bank paid,
  -- TOTAL what the documents were lowered by, RT* the withholdings taken.
  FOR SELECT INCC_ITEM, INCC_CUENTA, COALESCE(TRIM(INCC_BASE), ''), COALESCE(INCC_VALOR, 0), COALESCE(INCC_PORC, 0),
             INCC_DB, COALESCE(INCC_CN, 'S')
        FROM INTERFAZ_CAJA_CTAS WHERE INCJ_ID = :INTERFAZ ORDER BY INCC_ITEM
        INTO :A_ITEM, :A_CUENTA, :A_BASE, :A_VALOR, :A_PORC, :A_DB, :A_CN
  DO
  BEGIN
    IF (ETAPA = 'C' OR A_CN = 'S') THEN
    BEGIN
      V = CASE A_BASE WHEN 'BASE' THEN T_ABONO WHEN 'RTFTE' THEN T_RTFTE WHEN 'RTIVA' THEN T_RTIVA
                      WHEN 'RTICA' THEN T_RTICA WHEN 'RTCREE' THEN T_CREE WHEN 'PAGAR' THEN T_PAGO
                      WHEN 'TOTAL' THEN T_TOTAL ELSE 0 END;
      V = A_VALOR + ROUND(A_PORC * V / 100, 2);
      EXECUTE PROCEDURE CNT_LINEA (:IDC, :ITEM, :CH, :EQA, :TE, :ID, 18, :A_CUENTA,
                                   'la línea adicional ' || :A_ITEM, 'la interfaz de caja ' || :INTERFAZ,
                                   :NIT, NULL, NULL, :CONC, :REF, NULL, 0, :A_PORC, IIF(:A_DB = 'S', :V, -:V),
                                   NULL, NULL, NULL, NULL, NULL)
        RETURNING_VALUES :ITEM, :E;
      ERROR = ERROR + E;
    END
  END
  SUSPEND;
END^

SET TERM ; ^


-- The national consumption tax (NDPR_INALCM, NCPR_INALCM) of a charge or a
-- discount goes to its own account: the definition's source INCP_INALCM
-- ('K' the fixed account INCP_CTAINALCM, 'N' none) under both charts. It
-- is part of the document's IVA amount but never posted as deductible IVA;
-- a simplified-regime share of the bases' IVA is split in proportion.
ALTER TABLE INTERFAZ_CXPAGAR ADD INCP_INALCM DM_FUENTE_CUENTA DEFAULT 'N', ADD INCP_CTAINALCM VARCHAR(20);
ALTER TABLE INTERFAZ_CXPAGAR_NIIF ADD INCP_INALCM DM_FUENTE_CUENTA DEFAULT 'N', ADD INCP_CTAINALCM VARCHAR(20);

SET TERM ^ ;

CREATE OR ALTER PROCEDURE CNT_CARGO_DESCUENTO (TIPO INTEGER, ID INTEGER, INTERFAZ INTEGER, ETAPA CHAR(1), IDC_IN INTEGER)
RETURNS (ERROR INTEGER, VER CHAR(1), IDC INTEGER)
AS
DECLARE TE INTEGER;
DECLARE NIIF SMALLINT;
DECLARE EQ CHAR(1);
DECLARE EQA CHAR(1);
DECLARE ITEM INTEGER;
DECLARE E INTEGER;
DECLARE F INTEGER;
DECLARE NETA SMALLINT;
-- definition
DECLARE D_TIPO INTEGER;
DECLARE TICO VARCHAR(3);
DECLARE PRCO VARCHAR(4);
DECLARE EQUIVAL CHAR(1);
DECLARE S_BASE CHAR(1);
DECLARE S_IVA CHAR(1);
DECLARE S_RTFTE CHAR(1);
DECLARE S_RTIVA CHAR(1);
DECLARE S_RTICA CHAR(1);
DECLARE S_PROV CHAR(1);
DECLARE S_CREE CHAR(1);
DECLARE K_BASE VARCHAR(20);
DECLARE K_IVA VARCHAR(20);
DECLARE K_RTFTE VARCHAR(20);
DECLARE K_RTIVA VARCHAR(20);
DECLARE K_RTICA VARCHAR(20);
DECLARE K_PROV VARCHAR(20);
DECLARE K_CREE VARCHAR(20);
DECLARE K_DTO1 VARCHAR(20);
DECLARE K_DTO2 VARCHAR(20);
DECLARE K_DTO3 VARCHAR(20);
DECLARE K_DTO4 VARCHAR(20);
-- document
DECLARE NIT VARCHAR(20);
DECLARE PREF VARCHAR(4);
DECLARE NUM VARCHAR(6);
DECLARE FECHA DATE;
DECLARE VENCE DATE;
DECLARE CONC VARCHAR(60);
DECLARE MONTO NUMERIC(15,2);
DECLARE IVAPORC NUMERIC(15,2);
DECLARE IVA NUMERIC(15,2);
DECLARE RTFTE NUMERIC(15,2);
DECLARE RTIVA NUMERIC(15,2);
DECLARE RTICA NUMERIC(15,2);
DECLARE CREE NUMERIC(15,2);
DECLARE P_RTFTE NUMERIC(15,4);
DECLARE P_RTIVA NUMERIC(15,4);
DECLARE P_RTICA NUMERIC(15,4);
DECLARE P_CREE NUMERIC(15,4);
DECLARE BASERTFTE NUMERIC(15,2);
DECLARE EXTRA NUMERIC(15,2);
DECLARE B1 NUMERIC(15,2);
DECLARE B2 NUMERIC(15,2);
DECLARE B3 NUMERIC(15,2);
DECLARE I1 NUMERIC(15,2);
DECLARE I2 NUMERIC(15,2);
DECLARE I3 NUMERIC(15,2);
DECLARE DT1 NUMERIC(15,2);
DECLARE DT2 NUMERIC(15,2);
DECLARE DT3 NUMERIC(15,2);
DECLARE DT4 NUMERIC(15,2);
DECLARE PROY VARCHAR(4);
DECLARE CENTRO VARCHAR(4);
DECLARE CTAPAGAR VARCHAR(20);
DECLARE CTACAUSA VARCHAR(20);
DECLARE MANDANTE VARCHAR(20);
DECLARE ANULADO CHAR(1);
DECLARE TIPOAPL INTEGER;
DECLARE NUMAPL VARCHAR(10);
-- work
DECLARE G NUMERIC(15,2);
DECLARE PAGAR NUMERIC(15,2);
DECLARE DTOS NUMERIC(15,2);
DECLARE PEND NUMERIC(15,2);
DECLARE V NUMERIC(15,2);
DECLARE BK NUMERIC(15,2);
DECLARE K INTEGER;
DECLARE DIVIDIDO SMALLINT;
DECLARE CUENTA VARCHAR(20);
DECLARE ORIGEN VARCHAR(100);
DECLARE REF VARCHAR(8);
DECLARE DOCNUM VARCHAR(10);
DECLARE A_ITEM INTEGER;
DECLARE A_CUENTA VARCHAR(20);
DECLARE A_BASE VARCHAR(20);
DECLARE A_VALOR NUMERIC(15,2);
DECLARE A_PORC NUMERIC(15,2);
DECLARE A_DB CHAR(1);
DECLARE A_CN CHAR(1);
DECLARE S_INAL CHAR(1);
DECLARE K_INAL VARCHAR(20);
DECLARE INAL NUMERIC(15,2);
DECLARE SUMA NUMERIC(15,2);
DECLARE DIF NUMERIC(15,2);
BEGIN
  ERROR = 0; VER = 'N'; IDC = 0;
  NIIF = IIF(ETAPA = 'C', 0, 1);
  TE = IIF(ETAPA = 'C', TIPO, 31);
  IF (ETAPA = 'C') THEN
    DELETE FROM ERRORES WHERE ERRO_TIPODOC = :TIPO AND ERRO_IDDOC = :ID;
  ELSE
    DELETE FROM ERRORES WHERE ERRO_TIPODOC = 31 AND ERRO_IDDOC = :ID;

  D_TIPO = NULL;
  SELECT TIDO_COD, TICO_COD, PRCO_PRE, INCP_EQUIVALENCIA, INCP_CONFIRMAR,
         INCP_BASE, INCP_IVA, INCP_RTFTE, INCP_RTIVA, INCP_RTICA, INCP_PROV, INCP_RTCREE,
         INCP_CTABASE, INCP_CTAIVA, INCP_CTARTFTE, INCP_CTARTIVA, INCP_CTARTICA, INCP_CTAPROV, INCP_CTARTCREE,
         INCP_CTADTO1, INCP_CTADTO2, INCP_CTADTO3, INCP_CTADTO4, INCP_INALCM, INCP_CTAINALCM
    FROM INTERFAZ_CXPAGAR WHERE INCP_ID = :INTERFAZ
    INTO :D_TIPO, :TICO, :PRCO, :EQUIVAL, :VER,
         :S_BASE, :S_IVA, :S_RTFTE, :S_RTIVA, :S_RTICA, :S_PROV, :S_CREE,
         :K_BASE, :K_IVA, :K_RTFTE, :K_RTIVA, :K_RTICA, :K_PROV, :K_CREE,
         :K_DTO1, :K_DTO2, :K_DTO3, :K_DTO4, :S_INAL, :K_INAL;
  VER = COALESCE(VER, 'N');
  IF (D_TIPO IS DISTINCT FROM TIPO) THEN
  BEGIN
    EXECUTE PROCEDURE CNT_ERROR (:TE, :ID, 2,
      'La interfaz ' || COALESCE(INTERFAZ, 0) || ' no existe o no es de documentos tipo ' || TIPO);
    ERROR = 1; IDC = COALESCE(IDC_IN, 0);
    SUSPEND;
    EXIT;
  END

  ANULADO = NULL;
  IF (TIPO = 51) THEN
    SELECT TERC_NIT, PREF_PRE, NDPR_NUMERO, NDPR_FECHA, NDPR_VENCE, NDPR_CONC, NDPR_MONTO, NDPR_IVAPORC,
           NDPR_IVAMONTO, NDPR_RTFTEMONTO, NDPR_RTIVAMONTO, NDPR_RTICAMONTO, NDPR_RTCREEM,
           NDPR_RTFTEPORC, NDPR_RTIVAPORC, NDPR_RTICAPORC, NDPR_RTCREE, NDPR_BASERTFTE, NDPR_EXTRA,
           NDPR_BASE1, NDPR_BASE2, NDPR_BASE3, NDPR_IVA1, NDPR_IVA2, NDPR_IVA3,
           NDPR_DTO1M, NDPR_DTO2M, NDPR_DTO3M, NDPR_DTO4M, NDPR_PROY, NDPR_CENTRO,
           IIF(:NIIF = 1, NDPR_CTAPAGARN, NDPR_CTAPAGAR), IIF(:NIIF = 1, NDPR_CTACAUSAN, NDPR_CTACAUSA),
           NDPR_MANDANTE, NDPR_ANULADO, NDPR_TIPOAPL, NDPR_NUMAPL, NDPR_INALCM
      FROM NOTAS_DEBITO_PROVEEDOR WHERE NDPR_ID = :ID
      INTO :NIT, :PREF, :NUM, :FECHA, :VENCE, :CONC, :MONTO, :IVAPORC, :IVA, :RTFTE, :RTIVA, :RTICA, :CREE,
           :P_RTFTE, :P_RTIVA, :P_RTICA, :P_CREE, :BASERTFTE, :EXTRA,
           :B1, :B2, :B3, :I1, :I2, :I3, :DT1, :DT2, :DT3, :DT4, :PROY, :CENTRO,
           :CTAPAGAR, :CTACAUSA, :MANDANTE, :ANULADO, :TIPOAPL, :NUMAPL, :INAL;
  ELSE
    SELECT TERC_NIT, PREF_PRE, NCPR_NUMERO, NCPR_FECHA, NCPR_FECHA, NCPR_CONC, NCPR_MONTO, NCPR_IVAPORC,
           NCPR_IVAMONTO, NCPR_RTFTEMONTO, NCPR_RTIVAMONTO, NCPR_RTICAMONTO, NCPR_RTCREEM,
           NCPR_RTFTEPORC, NCPR_RTIVAPORC, NCPR_RTICAPORC, NCPR_RTCREE, NCPR_BASERTFTE, NCPR_EXTRA,
           NCPR_BASE1, NCPR_BASE2, NCPR_BASE3, NCPR_IVA1, NCPR_IVA2, NCPR_IVA3,
           NCPR_DTOMONTO, 0, 0, 0, NCPR_PROY, NCPR_CENTRO,
           IIF(:NIIF = 1, NCPR_CTAPAGARN, NCPR_CTAPAGAR), IIF(:NIIF = 1, NCPR_CTACAUSAN, NCPR_CTACAUSA),
           NCPR_MANDANTE, NCPR_ANULADO, NCPR_TIPODOCAPL, NCPR_NUMDOCAPL, NCPR_INALCM
      FROM NOTAS_CREDITO_PROVEEDOR WHERE NCPR_ID = :ID
      INTO :NIT, :PREF, :NUM, :FECHA, :VENCE, :CONC, :MONTO, :IVAPORC, :IVA, :RTFTE, :RTIVA, :RTICA, :CREE,
           :P_RTFTE, :P_RTIVA, :P_RTICA, :P_CREE, :BASERTFTE, :EXTRA,
           :B1, :B2, :B3, :I1, :I2, :I3, :DT1, :DT2, :DT3, :DT4, :PROY, :CENTRO,
           :CTAPAGAR, :CTACAUSA, :MANDANTE, :ANULADO, :TIPOAPL, :NUMAPL, :INAL;
  IF (ANULADO IS DISTINCT FROM 'N') THEN
  BEGIN
    EXECUTE PROCEDURE CNT_ERROR (:TE, :ID, 1,
      IIF(ANULADO IS NULL, 'No existe el documento ', 'Está anulado el documento ') || TIPO || '-' || ID);
    ERROR = 1; IDC = IIF(ETAPA = 'C', 0, COALESCE(IDC_IN, 0));
    SUSPEND;
    EXIT;
  END

  -- The NIIF stage reads the definition's NIIF row, or makes every line
  -- from the local definition and carries its account by equivalence.
  EQ = 'N';
  IF (NIIF = 1) THEN
  BEGIN
    IF (EQUIVAL = 'S') THEN
      EQ = 'S';
    ELSE
    BEGIN
      D_TIPO = NULL;
      SELECT 1, INCP_BASE, INCP_IVA, INCP_RTFTE, INCP_RTIVA, INCP_RTICA, INCP_PROV, INCP_RTCREE,
             INCP_CTABASE, INCP_CTAIVA, INCP_CTARTFTE, INCP_CTARTIVA, INCP_CTARTICA, INCP_CTAPROV, INCP_CTARTCREE,
             INCP_INALCM, INCP_CTAINALCM
        FROM INTERFAZ_CXPAGAR_NIIF WHERE INCP_ID = :INTERFAZ
        INTO :D_TIPO, :S_BASE, :S_IVA, :S_RTFTE, :S_RTIVA, :S_RTICA, :S_PROV, :S_CREE,
             :K_BASE, :K_IVA, :K_RTFTE, :K_RTIVA, :K_RTICA, :K_PROV, :K_CREE, :S_INAL, :K_INAL;
      IF (D_TIPO IS NULL) THEN
      BEGIN
        EXECUTE PROCEDURE CNT_ERROR (31, :ID, 20,
          'La interfaz ' || INTERFAZ || ' no tiene cuentas NIIF ni genera NIIF por equivalencia');
        ERROR = 1; IDC = COALESCE(IDC_IN, 0);
        SUSPEND;
        EXIT;
      END
    END
  END
  -- Equivalence: the local account is resolved, then carried to NIIF.
  IF (EQ = 'S') THEN
  BEGIN
    NIIF = 0;
    IF (TIPO = 51) THEN
      SELECT NDPR_CTAPAGAR, NDPR_CTACAUSA FROM NOTAS_DEBITO_PROVEEDOR WHERE NDPR_ID = :ID
        INTO :CTAPAGAR, :CTACAUSA;
    ELSE
      SELECT NCPR_CTAPAGAR, NCPR_CTACAUSA FROM NOTAS_CREDITO_PROVEEDOR WHERE NCPR_ID = :ID
        INTO :CTAPAGAR, :CTACAUSA;
  END
  -- Discount accounts and additional lines exist in the local chart only.
  EQA = IIF(ETAPA = 'C', 'N', 'S');

  EXECUTE PROCEDURE CNT_ABRA_ETAPA (:ETAPA, :TIPO, :ID, :IDC_IN, :PREF, :NUM, :FECHA, :TICO, :PRCO,
                                    :CONC, :NIT, :MANDANTE, :EQUIVAL)
    RETURNING_VALUES :IDC, :ITEM;
  IF (IDC = 0) THEN
  BEGIN
    ERROR = 1;
    SUSPEND;
    EXIT;
  END

  F = IIF(TIPO = 51, 1, -1);
  EXECUTE PROCEDURE BASE_NETA_CXPAGAR RETURNING_VALUES :NETA;
  MONTO = COALESCE(MONTO, 0); IVA = COALESCE(IVA, 0); EXTRA = COALESCE(EXTRA, 0);
  RTFTE = COALESCE(RTFTE, 0); RTIVA = COALESCE(RTIVA, 0); RTICA = COALESCE(RTICA, 0); CREE = COALESCE(CREE, 0);
  B1 = COALESCE(B1, 0); B2 = COALESCE(B2, 0); B3 = COALESCE(B3, 0);
  I1 = COALESCE(I1, 0); I2 = COALESCE(I2, 0); I3 = COALESCE(I3, 0);
  DT1 = COALESCE(DT1, 0); DT2 = COALESCE(DT2, 0); DT3 = COALESCE(DT3, 0); DT4 = COALESCE(DT4, 0);
  S_BASE = COALESCE(S_BASE, 'N'); S_IVA = COALESCE(S_IVA, 'N'); S_RTFTE = COALESCE(S_RTFTE, 'N');
  S_RTIVA = COALESCE(S_RTIVA, 'N'); S_RTICA = COALESCE(S_RTICA, 'N'); S_PROV = COALESCE(S_PROV, 'N');
  S_CREE = COALESCE(S_CREE, 'N');
  INAL = COALESCE(INAL, 0); S_INAL = COALESCE(S_INAL, 'N');
  -- The document's IVA holds the consumption tax too. When it is not the
  -- sum of the bases' IVA and the consumption tax (a simplified-regime
  -- creditor's share of it), each part is taken in that proportion and
  -- the cents go to the first part that has any: no negative remainder.
  SUMA = I1 + I2 + I3 + INAL;
  IF (SUMA <> 0 AND IVA <> SUMA) THEN
  BEGIN
    I1 = ROUND(I1 * IVA / SUMA, 2); I2 = ROUND(I2 * IVA / SUMA, 2); I3 = ROUND(I3 * IVA / SUMA, 2);
    INAL = ROUND(INAL * IVA / SUMA, 2);
    DIF = IVA - I1 - I2 - I3 - INAL;
    IF (I1 <> 0) THEN I1 = I1 + DIF;
    ELSE IF (I2 <> 0) THEN I2 = I2 + DIF;
    ELSE IF (I3 <> 0) THEN I3 = I3 + DIF;
    ELSE INAL = INAL + DIF;
  END
  -- A document that keeps its IVA without its rate: the rate is the IVA's
  -- share of the base, in whole percent.
  IF (COALESCE(IVAPORC, 0) = 0 AND IVA <> 0 AND MONTO <> 0) THEN
    IVAPORC = ROUND(IVA * 100 / MONTO, 0);
  G = MONTO + IVA + EXTRA;
  -- What the document owes on the ledger's basis: net of its withholdings
  -- when they are taken on recording it, gross when they are taken on paying.
  PAGAR = IIF(NETA = 1, G - RTFTE - RTIVA - RTICA - CREE, G);
  REF = LEFT(NUM, 8);
  DOCNUM = LEFT(COALESCE(PREF, '') || COALESCE(NUM, ''), 10);
  ERROR = 0;

  -- Base (the expense or cost), grossed up by the commercial discounts
  -- that have an account; those discounts are credited on their own lines.
  IF (S_BASE <> 'N') THEN
  BEGIN
    DTOS = IIF(NULLIF(TRIM(K_DTO1), '') IS NULL, 0, DT1) + IIF(NULLIF(TRIM(K_DTO2), '') IS NULL, 0, DT2)
         + IIF(NULLIF(TRIM(K_DTO3), '') IS NULL, 0, DT3) + IIF(NULLIF(TRIM(K_DTO4), '') IS NULL, 0, DT4);
    DIVIDIDO = IIF(S_BASE = 'I' AND (B1 <> 0 OR B2 <> 0 OR B3 <> 0), 1, 0);
    IF (DIVIDIDO = 1) THEN
    BEGIN
      PEND = DTOS;
      K = 1;
      WHILE (K <= 3) DO
      BEGIN
        BK = IIF(K = 1, B1, IIF(K = 2, B2, B3));
        IF (BK <> 0) THEN
        BEGIN
          EXECUTE PROCEDURE CNT_FUENTE ('I', 'BASE', :NIIF, :NIT, NULL, NULL, :K, NULL, :INTERFAZ)
            RETURNING_VALUES :CUENTA, :ORIGEN;
          EXECUTE PROCEDURE CNT_LINEA (:IDC, :ITEM, IIF(:ETAPA = 'C', 0, 1), :EQ, :TE, :ID, 10, :CUENTA, 'base', :ORIGEN,
                                       :NIT, :PROY, :CENTRO, :CONC, :REF, NULL, 0, 0, :F * (:BK + :PEND),
                                       NULL, NULL, NULL, NULL, NULL)
            RETURNING_VALUES :ITEM, :E;
          ERROR = ERROR + E;
          PEND = 0;
        END
        K = K + 1;
      END
      -- What the taxed bases leave is the excluded base.
      V = MONTO + PEND - B1 - B2 - B3;
      EXECUTE PROCEDURE CNT_FUENTE ('I', 'BASE', :NIIF, :NIT, NULL, NULL, 0, 0, :INTERFAZ)
        RETURNING_VALUES :CUENTA, :ORIGEN;
      EXECUTE PROCEDURE CNT_LINEA (:IDC, :ITEM, IIF(:ETAPA = 'C', 0, 1), :EQ, :TE, :ID, 10, :CUENTA, 'base', :ORIGEN,
                                   :NIT, :PROY, :CENTRO, :CONC, :REF, NULL, 0, 0, :F * :V, NULL, NULL, NULL, NULL, NULL)
        RETURNING_VALUES :ITEM, :E;
      ERROR = ERROR + E;
    END
    ELSE
    BEGIN
      EXECUTE PROCEDURE CNT_FUENTE (:S_BASE, 'BASE', :NIIF, :NIT, :CTACAUSA, :K_BASE, 0, :IVAPORC, :INTERFAZ)
        RETURNING_VALUES :CUENTA, :ORIGEN;
      EXECUTE PROCEDURE CNT_LINEA (:IDC, :ITEM, IIF(:ETAPA = 'C', 0, 1), :EQ, :TE, :ID, 10, :CUENTA, 'base', :ORIGEN,
                                   :NIT, :PROY, :CENTRO, :CONC, :REF, NULL, 0, 0, :F * (:MONTO + :DTOS),
                                   NULL, NULL, NULL, NULL, NULL)
        RETURNING_VALUES :ITEM, :E;
      ERROR = ERROR + E;
    END
    -- The extra value (not taxed) goes to the base's account; under I, to
    -- the excluded rate's.
    EXECUTE PROCEDURE CNT_FUENTE (:S_BASE, 'BASE', :NIIF, :NIT, :CTACAUSA, :K_BASE, 0, 0, :INTERFAZ)
      RETURNING_VALUES :CUENTA, :ORIGEN;
    EXECUTE PROCEDURE CNT_LINEA (:IDC, :ITEM, IIF(:ETAPA = 'C', 0, 1), :EQ, :TE, :ID, 10, :CUENTA, 'valor extra', :ORIGEN,
                                 :NIT, :PROY, :CENTRO, :CONC, :REF, NULL, 0, 0, :F * :EXTRA, NULL, NULL, NULL, NULL, NULL)
      RETURNING_VALUES :ITEM, :E;
    ERROR = ERROR + E;
    -- Commercial discounts with an account.
    K = 1;
    WHILE (K <= 4) DO
    BEGIN
      CUENTA = IIF(K = 1, K_DTO1, IIF(K = 2, K_DTO2, IIF(K = 3, K_DTO3, K_DTO4)));
      V = IIF(K = 1, DT1, IIF(K = 2, DT2, IIF(K = 3, DT3, DT4)));
      IF (NULLIF(TRIM(CUENTA), '') IS NOT NULL) THEN
      BEGIN
        EXECUTE PROCEDURE CNT_LINEA (:IDC, :ITEM, IIF(:ETAPA = 'C', 0, 1), :EQA, :TE, :ID, 17, :CUENTA,
                                     'descuento ' || :K, 'la interfaz ' || :INTERFAZ, :NIT, :PROY, :CENTRO, :CONC,
                                     :REF, NULL, 0, 0, -:F * :V, NULL, NULL, NULL, NULL, NULL)
          RETURNING_VALUES :ITEM, :E;
        ERROR = ERROR + E;
      END
      K = K + 1;
    END
  END
  ELSE IF (MONTO + EXTRA <> 0) THEN
  BEGIN
    EXECUTE PROCEDURE CNT_ERROR (:TE, :ID, 9, 'La base tiene valor y la interfaz ' || INTERFAZ || ' no le da cuenta (fuente N)');
    ERROR = ERROR + 1;
  END

  -- IVA: by rate of each taxed base under I, else one line.
  IF (S_IVA = 'I' AND (I1 <> 0 OR I2 <> 0 OR I3 <> 0)) THEN
  BEGIN
    K = 1;
    WHILE (K <= 3) DO
    BEGIN
      V = IIF(K = 1, I1, IIF(K = 2, I2, I3));
      BK = IIF(K = 1, B1, IIF(K = 2, B2, B3));
      EXECUTE PROCEDURE CNT_FUENTE ('I', 'IVA', :NIIF, :NIT, NULL, NULL, :K, NULL, :INTERFAZ)
        RETURNING_VALUES :CUENTA, :ORIGEN;
      EXECUTE PROCEDURE CNT_LINEA (:IDC, :ITEM, IIF(:ETAPA = 'C', 0, 1), :EQ, :TE, :ID, 11, :CUENTA, 'IVA', :ORIGEN,
                                   :NIT, :PROY, :CENTRO, :CONC, :REF, NULL, :BK, 0, :F * :V, NULL, NULL, NULL, NULL, NULL)
        RETURNING_VALUES :ITEM, :E;
      ERROR = ERROR + E;
      K = K + 1;
    END
    V = IVA - INAL - I1 - I2 - I3;
    EXECUTE PROCEDURE CNT_FUENTE ('I', 'IVA', :NIIF, :NIT, NULL, NULL, 0, :IVAPORC, :INTERFAZ)
      RETURNING_VALUES :CUENTA, :ORIGEN;
    EXECUTE PROCEDURE CNT_LINEA (:IDC, :ITEM, IIF(:ETAPA = 'C', 0, 1), :EQ, :TE, :ID, 11, :CUENTA, 'IVA', :ORIGEN,
                                 :NIT, :PROY, :CENTRO, :CONC, :REF, NULL, 0, :IVAPORC, :F * :V, NULL, NULL, NULL, NULL, NULL)
      RETURNING_VALUES :ITEM, :E;
    ERROR = ERROR + E;
  END
  ELSE IF (S_IVA <> 'N') THEN
  BEGIN
    EXECUTE PROCEDURE CNT_FUENTE (:S_IVA, 'IVA', :NIIF, :NIT, NULL, :K_IVA, 0, :IVAPORC, :INTERFAZ)
      RETURNING_VALUES :CUENTA, :ORIGEN;
    EXECUTE PROCEDURE CNT_LINEA (:IDC, :ITEM, IIF(:ETAPA = 'C', 0, 1), :EQ, :TE, :ID, 11, :CUENTA, 'IVA', :ORIGEN,
                                 :NIT, :PROY, :CENTRO, :CONC, :REF, NULL, :MONTO, :IVAPORC, :F * (:IVA - :INAL),
                                 NULL, NULL, NULL, NULL, NULL)
      RETURNING_VALUES :ITEM, :E;
    ERROR = ERROR + E;
  END
  ELSE IF (IVA - INAL <> 0) THEN
  BEGIN
    EXECUTE PROCEDURE CNT_ERROR (:TE, :ID, 9, 'El IVA tiene valor y la interfaz ' || INTERFAZ || ' no le da cuenta (fuente N)');
    ERROR = ERROR + 1;
  END

  -- The national consumption tax is not IVA: its own account, never the
  -- deductible IVA's.
  IF (INAL <> 0) THEN
  BEGIN
    IF (S_INAL = 'N') THEN
    BEGIN
      EXECUTE PROCEDURE CNT_ERROR (:TE, :ID, 9, 'El impuesto al consumo tiene valor y la interfaz ' || INTERFAZ
                                                || ' no le da cuenta (fuente N)');
      ERROR = ERROR + 1;
    END
    ELSE
    BEGIN
      EXECUTE PROCEDURE CNT_LINEA (:IDC, :ITEM, IIF(:ETAPA = 'C', 0, 1), :EQ, :TE, :ID, 19, :K_INAL,
                                   'impuesto al consumo', 'la interfaz ' || :INTERFAZ || ' (fuente K)',
                                   :NIT, :PROY, :CENTRO, :CONC, :REF, NULL, 0, 0, :F * :INAL,
                                   NULL, NULL, NULL, NULL, NULL)
        RETURNING_VALUES :ITEM, :E;
      ERROR = ERROR + E;
    END
  END

  -- Withholdings, credited, when they are taken on recording the debt.
  -- CREE counts among them: the ledger takes it off what is owed.
  IF (NETA = 1) THEN
  BEGIN
    K = 1;
    WHILE (K <= 4) DO
    BEGIN
      V = IIF(K = 1, RTFTE, IIF(K = 2, RTIVA, IIF(K = 3, RTICA, CREE)));
      IF (V <> 0) THEN
      BEGIN
        IF (IIF(K = 1, S_RTFTE, IIF(K = 2, S_RTIVA, IIF(K = 3, S_RTICA, S_CREE))) = 'N') THEN
        BEGIN
          EXECUTE PROCEDURE CNT_ERROR (:TE, :ID, 9,
            'La ' || IIF(K = 1, 'retención en la fuente', IIF(K = 2, 'retención de IVA',
                     IIF(K = 3, 'retención de ICA', 'AutoRenta (CREE)')))
            || ' tiene valor y la interfaz ' || INTERFAZ || ' no le da cuenta (fuente N)');
          ERROR = ERROR + 1;
        END
        ELSE
        BEGIN
          EXECUTE PROCEDURE CNT_FUENTE (IIF(:K = 1, :S_RTFTE, IIF(:K = 2, :S_RTIVA, IIF(:K = 3, :S_RTICA, :S_CREE))),
                                        IIF(:K = 1, 'RTFTE', IIF(:K = 2, 'RTIVA', IIF(:K = 3, 'RTICA', 'RTCREE'))),
                                        :NIIF, :NIT, NULL,
                                        IIF(:K = 1, :K_RTFTE, IIF(:K = 2, :K_RTIVA, IIF(:K = 3, :K_RTICA, :K_CREE))),
                                        0, NULL, :INTERFAZ)
            RETURNING_VALUES :CUENTA, :ORIGEN;
          EXECUTE PROCEDURE CNT_LINEA (:IDC, :ITEM, IIF(:ETAPA = 'C', 0, 1), :EQ, :TE, :ID, 11 + :K, :CUENTA,
                                       IIF(:K = 1, 'retención en la fuente', IIF(:K = 2, 'retención de IVA',
                                         IIF(:K = 3, 'retención de ICA', 'AutoRenta (CREE)'))),
                                       :ORIGEN, :NIT, :PROY, :CENTRO, :CONC, :REF, NULL,
                                       IIF(:K = 2, :IVA, IIF(:K = 1 AND COALESCE(:BASERTFTE, 0) <> 0, :BASERTFTE, :MONTO)),
                                       -- rete-ICA is per thousand; the line's percentage is in percent
                                       IIF(:K = 1, :P_RTFTE, IIF(:K = 2, :P_RTIVA, IIF(:K = 3, :P_RTICA / 10, :P_CREE))),
                                       -:F * :V, NULL, NULL, NULL, NULL, NULL)
            RETURNING_VALUES :ITEM, :E;
          ERROR = ERROR + E;
        END
      END
      K = K + 1;
    END
  END

  -- The payable.
  IF (S_PROV <> 'N') THEN
  BEGIN
    EXECUTE PROCEDURE CNT_FUENTE (:S_PROV, 'PAGAR', :NIIF, :NIT, :CTAPAGAR, :K_PROV, 0, NULL, :INTERFAZ)
      RETURNING_VALUES :CUENTA, :ORIGEN;
    EXECUTE PROCEDURE CNT_LINEA (:IDC, :ITEM, IIF(:ETAPA = 'C', 0, 1), :EQ, :TE, :ID, 16, :CUENTA, 'cuentas por pagar',
                                 :ORIGEN, :NIT, :PROY, :CENTRO, :CONC, :REF, NULL, 0, 0, -:F * :PAGAR, :VENCE, :TIPO,
                                 :TIPOAPL, :DOCNUM, :NUMAPL)
      RETURNING_VALUES :ITEM, :E;
    ERROR = ERROR + E;
  END
  ELSE IF (PAGAR <> 0) THEN
  BEGIN
    EXECUTE PROCEDURE CNT_ERROR (:TE, :ID, 9, 'La cuenta por pagar tiene valor y la interfaz ' || INTERFAZ
                                              || ' no le da cuenta (fuente N)');
    ERROR = ERROR + 1;
  END

  -- Additional lines: fixed value plus a percentage of a component.
  FOR SELECT INPC_ITEM, INPC_CUENTA, COALESCE(TRIM(INPC_BASE), ''), COALESCE(INPC_VALOR, 0), COALESCE(INPC_PORC, 0),
             INPC_DB, COALESCE(INPC_CN, 'S')
        FROM INTERFAZ_CXPAGAR_CTAS WHERE INCP_ID = :INTERFAZ ORDER BY INPC_ITEM
        INTO :A_ITEM, :A_CUENTA, :A_BASE, :A_VALOR, :A_PORC, :A_DB, :A_CN
  DO
  BEGIN
    IF (ETAPA = 'C' OR A_CN = 'S') THEN
    BEGIN
      V = CASE A_BASE WHEN 'BASE' THEN MONTO WHEN 'IVA' THEN IVA WHEN 'RTFTE' THEN RTFTE
                      WHEN 'RTIVA' THEN RTIVA WHEN 'RTICA' THEN RTICA WHEN 'RTCREE' THEN CREE
                      WHEN 'PAGAR' THEN PAGAR WHEN 'TOTAL' THEN G ELSE 0 END;
      V = A_VALOR + ROUND(A_PORC * V / 100, 2);
      EXECUTE PROCEDURE CNT_LINEA (:IDC, :ITEM, IIF(:ETAPA = 'C', 0, 1), :EQA, :TE, :ID, 18, :A_CUENTA,
                                   'la línea adicional ' || :A_ITEM, 'la interfaz ' || :INTERFAZ,
                                   :NIT, :PROY, :CENTRO, :CONC, :REF, NULL, 0, :A_PORC,
                                   :F * IIF(:A_DB = 'S', :V, -:V), NULL, NULL, NULL, NULL, NULL)
        RETURNING_VALUES :ITEM, :E;
      ERROR = ERROR + E;
    END
  END
  SUSPEND;
END^

SET TERM ; ^


-- An application refuses a document reference longer than the ledger's
-- column (error 23) instead of cutting it, as the payment voucher does.

SET TERM ^ ;

CREATE OR ALTER PROCEDURE CNT_APLICACION (ID INTEGER, INTERFAZ INTEGER, ETAPA CHAR(1), IDC_IN INTEGER)
RETURNS (ERROR INTEGER, VER CHAR(1), IDC INTEGER)
AS
DECLARE TE INTEGER;
DECLARE NIIF SMALLINT;
DECLARE EQ CHAR(1);
DECLARE EQA CHAR(1);
DECLARE ITEM INTEGER;
DECLARE E INTEGER;
DECLARE NETA SMALLINT;
DECLARE D_TIPO INTEGER;
DECLARE TICO VARCHAR(3);
DECLARE PRCO VARCHAR(4);
DECLARE EQUIVAL CHAR(1);
DECLARE S_RTFTE CHAR(1);
DECLARE S_RTIVA CHAR(1);
DECLARE S_RTICA CHAR(1);
DECLARE S_PROV CHAR(1);
DECLARE S_CREE CHAR(1);
DECLARE K_RTFTE VARCHAR(20);
DECLARE K_RTIVA VARCHAR(20);
DECLARE K_RTICA VARCHAR(20);
DECLARE K_PROV VARCHAR(20);
DECLARE K_CREE VARCHAR(20);
DECLARE NIT VARCHAR(20);
DECLARE PREF VARCHAR(4);
DECLARE NUM VARCHAR(6);
DECLARE FECHA DATE;
DECLARE CONC VARCHAR(60);
DECLARE ANULADO CHAR(1);
DECLARE L_TIPO INTEGER;
DECLARE L_ID INTEGER;
DECLARE L_PREF VARCHAR(4);
DECLARE L_NUM VARCHAR(8);
DECLARE L_APL NUMERIC(15,2);
DECLARE L_RTFTE NUMERIC(15,2);
DECLARE L_RTIVA NUMERIC(15,2);
DECLARE L_RTICA NUMERIC(15,2);
DECLARE L_CREE NUMERIC(15,2);
DECLARE T_APL NUMERIC(15,2);
DECLARE T_RTFTE NUMERIC(15,2);
DECLARE T_RTIVA NUMERIC(15,2);
DECLARE T_RTICA NUMERIC(15,2);
DECLARE T_CREE NUMERIC(15,2);
DECLARE V NUMERIC(15,2);
DECLARE K INTEGER;
DECLARE CUENTA VARCHAR(20);
DECLARE ORIGEN VARCHAR(100);
DECLARE COMPONENTE VARCHAR(60);
DECLARE CODIGO INTEGER;
DECLARE REF VARCHAR(8);
DECLARE A_ITEM INTEGER;
DECLARE A_CUENTA VARCHAR(20);
DECLARE A_BASE VARCHAR(20);
DECLARE A_VALOR NUMERIC(15,2);
DECLARE A_PORC NUMERIC(15,2);
DECLARE A_DB CHAR(1);
DECLARE A_CN CHAR(1);
BEGIN
  ERROR = 0; VER = 'N'; IDC = 0;
  NIIF = IIF(ETAPA = 'C', 0, 1);
  TE = IIF(ETAPA = 'C', 53, 31);
  DELETE FROM ERRORES WHERE ERRO_TIPODOC = :TE AND ERRO_IDDOC = :ID;
  D_TIPO = NULL;
  SELECT TIDO_COD, TICO_COD, PRCO_PRE, INCP_EQUIVALENCIA, INCP_CONFIRMAR,
         INCP_RTFTE, INCP_RTIVA, INCP_RTICA, INCP_PROV, INCP_RTCREE,
         INCP_CTARTFTE, INCP_CTARTIVA, INCP_CTARTICA, INCP_CTAPROV, INCP_CTARTCREE
    FROM INTERFAZ_CXPAGAR WHERE INCP_ID = :INTERFAZ
    INTO :D_TIPO, :TICO, :PRCO, :EQUIVAL, :VER,
         :S_RTFTE, :S_RTIVA, :S_RTICA, :S_PROV, :S_CREE, :K_RTFTE, :K_RTIVA, :K_RTICA, :K_PROV, :K_CREE;
  VER = COALESCE(VER, 'N');
  IF (D_TIPO IS DISTINCT FROM 53) THEN
  BEGIN
    EXECUTE PROCEDURE CNT_ERROR (:TE, :ID, 2,
      'La interfaz ' || COALESCE(INTERFAZ, 0) || ' no existe o no es de documentos tipo 53');
    ERROR = 1; IDC = IIF(ETAPA = 'C', 0, COALESCE(IDC_IN, 0));
    SUSPEND;
    EXIT;
  END
  ANULADO = NULL;
  SELECT TERC_NIT, PREF_PRE, APPR_NUMERO, APPR_FECHA, APPR_CONC, APPR_ANULADO
    FROM APLICACION_PROVEDOR WHERE APPR_ID = :ID
    INTO :NIT, :PREF, :NUM, :FECHA, :CONC, :ANULADO;
  IF (ANULADO IS DISTINCT FROM 'N') THEN
  BEGIN
    EXECUTE PROCEDURE CNT_ERROR (:TE, :ID, 1,
      IIF(ANULADO IS NULL, 'No existe el documento ', 'Está anulado el documento ') || '53-' || ID);
    ERROR = 1; IDC = IIF(ETAPA = 'C', 0, COALESCE(IDC_IN, 0));
    SUSPEND;
    EXIT;
  END
  EQ = 'N';
  IF (NIIF = 1) THEN
  BEGIN
    IF (EQUIVAL = 'S') THEN
    BEGIN
      EQ = 'S';
      NIIF = 0;
    END
    ELSE
    BEGIN
      D_TIPO = NULL;
      SELECT 1, INCP_RTFTE, INCP_RTIVA, INCP_RTICA, INCP_PROV, INCP_RTCREE,
             INCP_CTARTFTE, INCP_CTARTIVA, INCP_CTARTICA, INCP_CTAPROV, INCP_CTARTCREE
        FROM INTERFAZ_CXPAGAR_NIIF WHERE INCP_ID = :INTERFAZ
        INTO :D_TIPO, :S_RTFTE, :S_RTIVA, :S_RTICA, :S_PROV, :S_CREE, :K_RTFTE, :K_RTIVA, :K_RTICA, :K_PROV, :K_CREE;
      IF (D_TIPO IS NULL) THEN
      BEGIN
        EXECUTE PROCEDURE CNT_ERROR (31, :ID, 20,
          'La interfaz ' || INTERFAZ || ' no tiene cuentas NIIF ni genera NIIF por equivalencia');
        ERROR = 1; IDC = COALESCE(IDC_IN, 0);
        SUSPEND;
        EXIT;
      END
    END
  END
  EQA = IIF(ETAPA = 'C', 'N', 'S');
  EXECUTE PROCEDURE CNT_ABRA_ETAPA (:ETAPA, 53, :ID, :IDC_IN, :PREF, :NUM, :FECHA, :TICO, :PRCO,
                                    :CONC, :NIT, NULL, :EQUIVAL)
    RETURNING_VALUES :IDC, :ITEM;
  IF (IDC = 0) THEN
  BEGIN
    ERROR = 1;
    SUSPEND;
    EXIT;
  END
  EXECUTE PROCEDURE BASE_NETA_CXPAGAR RETURNING_VALUES :NETA;
  S_PROV = COALESCE(S_PROV, 'N');
  REF = LEFT(NUM, 8);
  T_APL = 0; T_RTFTE = 0; T_RTIVA = 0; T_RTICA = 0; T_CREE = 0;
  FOR SELECT APPD_TIPODOC, APPD_IDDOC, APPD_PREFIJO, APPD_NUMERO, APPD_APLICADO,
             APPD_RTFTE, APPD_RTIVA, APPD_RTICA, APPD_RCREE
        FROM APLICACION_PROVEEDOR_DETALLE
       WHERE APPR_ID = :ID AND COALESCE(APPD_ANULADO, 'N') <> 'S'
       ORDER BY APPD_ITEM
        INTO :L_TIPO, :L_ID, :L_PREF, :L_NUM, :L_APL, :L_RTFTE, :L_RTIVA, :L_RTICA, :L_CREE
  DO
  BEGIN
    IF (NETA = 1) THEN
      V = L_APL;
    ELSE
      V = L_APL + L_RTFTE + L_RTIVA + L_RTICA + L_CREE;
    T_APL = T_APL + IIF(L_APL > 0, L_APL, 0);
    T_RTFTE = T_RTFTE + L_RTFTE; T_RTIVA = T_RTIVA + L_RTIVA;
    T_RTICA = T_RTICA + L_RTICA; T_CREE = T_CREE + L_CREE;
    IF (S_PROV = 'N' AND L_TIPO <> 55) THEN
    BEGIN
      IF (V <> 0) THEN
      BEGIN
        EXECUTE PROCEDURE CNT_ERROR (:TE, :ID, 9, 'La cuenta por pagar tiene valor y la interfaz ' || INTERFAZ
                                                  || ' no le da cuenta (fuente N)');
        ERROR = ERROR + 1;
      END
    END
    ELSE
    BEGIN
      EXECUTE PROCEDURE CNT_CUENTA_CRUCE (:S_PROV, :L_TIPO, :L_ID, :NIT, :NIIF, :K_PROV, :INTERFAZ)
        RETURNING_VALUES :CUENTA, :ORIGEN, :COMPONENTE, :CODIGO;
      -- A reference the ledger's column cannot hold is refused, not cut.
      IF (CHAR_LENGTH(COALESCE(L_PREF, '') || COALESCE(L_NUM, '')) > 10) THEN
      BEGIN
        EXECUTE PROCEDURE CNT_ERROR (:TE, :ID, 23, 'La referencia ' || COALESCE(L_PREF, '') || COALESCE(L_NUM, '')
                                                   || ' del documento ' || L_TIPO || ' tiene más de 10 caracteres');
        ERROR = ERROR + 1;
      END
      ELSE
      BEGIN
        EXECUTE PROCEDURE CNT_LINEA (:IDC, :ITEM, IIF(:ETAPA = 'C', 0, 1), :EQ, :TE, :ID, :CODIGO, :CUENTA, :COMPONENTE,
                                     :ORIGEN, :NIT, NULL, NULL, :CONC, :REF, NULL, 0, 0, :V, NULL, 53, :L_TIPO,
                                     COALESCE(:PREF, '') || COALESCE(:NUM, ''),
                                     COALESCE(:L_PREF, '') || COALESCE(:L_NUM, ''))
          RETURNING_VALUES :ITEM, :E;
        ERROR = ERROR + E;
      END
    END
  END
  -- Withholdings taken in the application, when they are taken on paying.
  IF (NETA = 0) THEN
  BEGIN
    K = 1;
    WHILE (K <= 4) DO
    BEGIN
      V = IIF(K = 1, T_RTFTE, IIF(K = 2, T_RTIVA, IIF(K = 3, T_RTICA, T_CREE)));
      IF (V <> 0) THEN
      BEGIN
        IF (COALESCE(IIF(K = 1, S_RTFTE, IIF(K = 2, S_RTIVA, IIF(K = 3, S_RTICA, S_CREE))), 'N') = 'N') THEN
        BEGIN
          EXECUTE PROCEDURE CNT_ERROR (:TE, :ID, 9,
            'La ' || IIF(K = 1, 'retención en la fuente', IIF(K = 2, 'retención de IVA',
                     IIF(K = 3, 'retención de ICA', 'AutoRenta (CREE)')))
            || ' tiene valor y la interfaz ' || INTERFAZ || ' no le da cuenta (fuente N)');
          ERROR = ERROR + 1;
        END
        ELSE
        BEGIN
          EXECUTE PROCEDURE CNT_FUENTE (IIF(:K = 1, :S_RTFTE, IIF(:K = 2, :S_RTIVA, IIF(:K = 3, :S_RTICA, :S_CREE))),
                                        IIF(:K = 1, 'RTFTE', IIF(:K = 2, 'RTIVA', IIF(:K = 3, 'RTICA', 'RTCREE'))),
                                        :NIIF, :NIT, NULL,
                                        IIF(:K = 1, :K_RTFTE, IIF(:K = 2, :K_RTIVA, IIF(:K = 3, :K_RTICA, :K_CREE))),
                                        0, NULL, :INTERFAZ)
            RETURNING_VALUES :CUENTA, :ORIGEN;
          EXECUTE PROCEDURE CNT_LINEA (:IDC, :ITEM, IIF(:ETAPA = 'C', 0, 1), :EQ, :TE, :ID, 11 + :K, :CUENTA,
                                       IIF(:K = 1, 'retención en la fuente', IIF(:K = 2, 'retención de IVA',
                                         IIF(:K = 3, 'retención de ICA', 'AutoRenta (CREE)'))),
                                       :ORIGEN, :NIT, NULL, NULL, :CONC, :REF, NULL, 0, 0, -:V,
                                       NULL, NULL, NULL, NULL, NULL)
            RETURNING_VALUES :ITEM, :E;
          ERROR = ERROR + E;
        END
      END
      K = K + 1;
    END
  END
  -- Additional lines: BASE, PAGAR and TOTAL are the amount applied.
  FOR SELECT INPC_ITEM, INPC_CUENTA, COALESCE(TRIM(INPC_BASE), ''), COALESCE(INPC_VALOR, 0), COALESCE(INPC_PORC, 0),
             INPC_DB, COALESCE(INPC_CN, 'S')
        FROM INTERFAZ_CXPAGAR_CTAS WHERE INCP_ID = :INTERFAZ ORDER BY INPC_ITEM
        INTO :A_ITEM, :A_CUENTA, :A_BASE, :A_VALOR, :A_PORC, :A_DB, :A_CN
  DO
  BEGIN
    IF (ETAPA = 'C' OR A_CN = 'S') THEN
    BEGIN
      V = CASE A_BASE WHEN 'BASE' THEN T_APL WHEN 'RTFTE' THEN T_RTFTE WHEN 'RTIVA' THEN T_RTIVA
                      WHEN 'RTICA' THEN T_RTICA WHEN 'RTCREE' THEN T_CREE WHEN 'PAGAR' THEN T_APL
                      WHEN 'TOTAL' THEN T_APL ELSE 0 END;
      V = A_VALOR + ROUND(A_PORC * V / 100, 2);
      EXECUTE PROCEDURE CNT_LINEA (:IDC, :ITEM, IIF(:ETAPA = 'C', 0, 1), :EQA, :TE, :ID, 18, :A_CUENTA,
                                   'la línea adicional ' || :A_ITEM, 'la interfaz ' || :INTERFAZ,
                                   :NIT, NULL, NULL, :CONC, :REF, NULL, 0, :A_PORC, IIF(:A_DB = 'S', :V, -:V),
                                   NULL, NULL, NULL, NULL, NULL)
        RETURNING_VALUES :ITEM, :E;
      ERROR = ERROR + E;
    END
  END
  SUSPEND;
END^

SET TERM ; ^
