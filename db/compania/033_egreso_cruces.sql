/* Posting of the payment voucher and the application. The cash definition
   gains two sources for the receivables crossed in a voucher: the
   withholdings the customer took (INCJ_RTCRUCE, account INCJ_CTARTCRUCE)
   and the discount granted to it (INCJ_DTOCRUCE, INCJ_CTADTOCRUCE); 'K'
   the fixed account, 'N' none (an amount there is an error). Both charts. */
ALTER TABLE INTERFAZ_CAJA ADD INCJ_RTCRUCE DM_FUENTE_CUENTA DEFAULT 'N', ADD INCJ_CTARTCRUCE VARCHAR(20),
                          ADD INCJ_DTOCRUCE DM_FUENTE_CUENTA DEFAULT 'N', ADD INCJ_CTADTOCRUCE VARCHAR(20);
ALTER TABLE INTERFAZ_CAJA_NIIF ADD INCJ_RTCRUCE DM_FUENTE_CUENTA DEFAULT 'N', ADD INCJ_CTARTCRUCE VARCHAR(20),
                               ADD INCJ_DTOCRUCE DM_FUENTE_CUENTA DEFAULT 'N', ADD INCJ_CTADTOCRUCE VARCHAR(20);

SET TERM ^ ;

/* The withholdings taken on paying, one line each (fuente, IVA, ICA, CREE)
   credited to the account the definition's source gives; a withholding with
   value whose source is N is an error. Used by the payment voucher and the
   application. DONDE names the definition in the messages ("la interfaz de
   caja 3"); NIIF is the chart the sources read, CH the stage the line goes
   to. Returns the next item and the errors found. */
CREATE OR ALTER PROCEDURE CNT_RETENCIONES_PAGO (IDC INTEGER, ITEM INTEGER, CH SMALLINT, EQ CHAR(1), TE INTEGER,
                                                ID INTEGER, NIIF SMALLINT, NIT VARCHAR(20), CONC VARCHAR(60),
                                                REF VARCHAR(8), INTERFAZ INTEGER, DONDE VARCHAR(60),
                                                T_RTFTE NUMERIC(15,2), T_RTIVA NUMERIC(15,2), T_RTICA NUMERIC(15,2),
                                                T_CREE NUMERIC(15,2), S_RTFTE CHAR(1), S_RTIVA CHAR(1),
                                                S_RTICA CHAR(1), S_CREE CHAR(1), K_RTFTE VARCHAR(20),
                                                K_RTIVA VARCHAR(20), K_RTICA VARCHAR(20), K_CREE VARCHAR(20))
RETURNS (SIGUIENTE INTEGER, ERRORES INTEGER)
AS
DECLARE K INTEGER;
DECLARE V NUMERIC(15,2);
DECLARE E INTEGER;
DECLARE CUENTA VARCHAR(20);
DECLARE ORIGEN VARCHAR(100);
BEGIN
  SIGUIENTE = ITEM; ERRORES = 0;
  K = 1;
  WHILE (K <= 4) DO
  BEGIN
    V = COALESCE(IIF(K = 1, T_RTFTE, IIF(K = 2, T_RTIVA, IIF(K = 3, T_RTICA, T_CREE))), 0);
    IF (V <> 0) THEN
    BEGIN
      IF (COALESCE(IIF(K = 1, S_RTFTE, IIF(K = 2, S_RTIVA, IIF(K = 3, S_RTICA, S_CREE))), 'N') = 'N') THEN
      BEGIN
        EXECUTE PROCEDURE CNT_ERROR (:TE, :ID, 9,
          'La ' || IIF(K = 1, 'retención en la fuente', IIF(K = 2, 'retención de IVA',
                   IIF(K = 3, 'retención de ICA', 'AutoRenta (CREE)')))
          || ' tiene valor y ' || DONDE || ' no le da cuenta (fuente N)');
        ERRORES = ERRORES + 1;
      END
      ELSE
      BEGIN
        EXECUTE PROCEDURE CNT_FUENTE (IIF(:K = 1, :S_RTFTE, IIF(:K = 2, :S_RTIVA, IIF(:K = 3, :S_RTICA, :S_CREE))),
                                      IIF(:K = 1, 'RTFTE', IIF(:K = 2, 'RTIVA', IIF(:K = 3, 'RTICA', 'RTCREE'))),
                                      :NIIF, :NIT, NULL,
                                      IIF(:K = 1, :K_RTFTE, IIF(:K = 2, :K_RTIVA, IIF(:K = 3, :K_RTICA, :K_CREE))),
                                      0, NULL, :INTERFAZ)
          RETURNING_VALUES :CUENTA, :ORIGEN;
        EXECUTE PROCEDURE CNT_LINEA (:IDC, :SIGUIENTE, :CH, :EQ, :TE, :ID, 11 + :K, :CUENTA,
                                     IIF(:K = 1, 'retención en la fuente', IIF(:K = 2, 'retención de IVA',
                                       IIF(:K = 3, 'retención de ICA', 'AutoRenta (CREE)'))),
                                     :ORIGEN, :NIT, NULL, NULL, :CONC, :REF, NULL, 0, 0, -:V,
                                     NULL, NULL, NULL, NULL, NULL)
          RETURNING_VALUES :SIGUIENTE, :E;
        ERRORES = ERRORES + E;
      END
    END
    K = K + 1;
  END
  SUSPEND;
END^

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
DECLARE S_RTCRUCE CHAR(1);
DECLARE S_DTOCRUCE CHAR(1);
DECLARE K_RTCRUCE VARCHAR(20);
DECLARE K_DTOCRUCE VARCHAR(20);
DECLARE FUENTE CHAR(1);
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
         INCJ_CTADTOF, INCJ_CTAEXCEDENTE, INCJ_CTACLIENTE,
         INCJ_RTCRUCE, INCJ_CTARTCRUCE, INCJ_DTOCRUCE, INCJ_CTADTOCRUCE
    FROM INTERFAZ_CAJA WHERE INCJ_ID = :INTERFAZ
    INTO :D_TIPO, :TICO, :PRCO, :EQUIVAL, :VER,
         :S_CAJA, :S_RTFTE, :S_RTIVA, :S_RTICA, :S_PROV, :S_CREE,
         :K_CAJA, :K_RTFTE, :K_RTIVA, :K_RTICA, :K_PROV, :K_CREE, :K_DTOF, :K_EXCED, :K_CLIENTE,
         :S_RTCRUCE, :K_RTCRUCE, :S_DTOCRUCE, :K_DTOCRUCE;
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
             INCJ_CTADTOF, INCJ_CTAEXCEDENTE, INCJ_CTACLIENTE,
             INCJ_RTCRUCE, INCJ_CTARTCRUCE, INCJ_DTOCRUCE, INCJ_CTADTOCRUCE
        FROM INTERFAZ_CAJA_NIIF WHERE INCJ_ID = :INTERFAZ
        INTO :D_TIPO, :S_CAJA, :S_RTFTE, :S_RTIVA, :S_RTICA, :S_PROV, :S_CREE,
             :K_CAJA, :K_RTFTE, :K_RTIVA, :K_RTICA, :K_PROV, :K_CREE, :K_DTOF, :K_EXCED, :K_CLIENTE,
             :S_RTCRUCE, :K_RTCRUCE, :S_DTOCRUCE, :K_DTOCRUCE;
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
    SELECT SIGUIENTE, ERRORES
      FROM CNT_RETENCIONES_PAGO (:IDC, :ITEM, :CH, :EQ, :TE, :ID, :NIIF, :NIT, :CONC, :REF, :INTERFAZ,
                                 'la interfaz de caja ' || :INTERFAZ,
                                 :T_RTFTE, :T_RTIVA, :T_RTICA, :T_CREE, :S_RTFTE, :S_RTIVA, :S_RTICA, :S_CREE,
                                 :K_RTFTE, :K_RTIVA, :K_RTICA, :K_CREE)
      INTO :ITEM, :E;
    ERROR = ERROR + E;
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

  -- Receivables of the third party crossed: its customer account is
  -- lowered by what the crossing settles, the amount crossed plus the
  -- withholdings the customer took and the discount granted to it (the
  -- CREE is its own self-withholding and settles nothing); those two go to
  -- the definition's accounts for them.
  FOR SELECT EGCC_ITEM, COALESCE(EGCC_ABONO, 0), EGCC_PREFIJO, EGCC_NUMERO, EGCC_TIPODOC,
             COALESCE(EGCC_RTFTE, 0) + COALESCE(EGCC_RTIVA, 0) + COALESCE(EGCC_RTICA, 0), COALESCE(EGCC_DTOF, 0)
        FROM EGRESOS_CRUCEC WHERE EGRE_ID = :ID AND COALESCE(EGCC_ANULADO, 'N') <> 'S'
       ORDER BY EGCC_ITEM
        INTO :F_ITEM, :V, :L_PREF, :L_NUM, :L_TIPO, :L_RTFTE, :L_DTOF
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
                                   :NIT, NULL, NULL, :CONC, :REF, NULL, 0, 0, -(:V + :L_RTFTE + :L_DTOF), NULL, 62,
                                   :L_TIPO, COALESCE(:PREF, '') || COALESCE(:NUM, ''),
                                   COALESCE(:L_PREF, '') || COALESCE(:L_NUM, ''))
        RETURNING_VALUES :ITEM, :E;
      ERROR = ERROR + E;
      K = 1;
      WHILE (K <= 2) DO
      BEGIN
        V = IIF(K = 1, L_RTFTE, L_DTOF);
        FUENTE = COALESCE(IIF(K = 1, S_RTCRUCE, S_DTOCRUCE), 'N');
        IF (K = 1) THEN
        BEGIN
          COMPONENTE = 'retenciones de cuentas por cobrar';
          ORIGEN = 'Las retenciones de la cuenta por cobrar ' || COALESCE(L_PREF, '') || COALESCE(L_NUM, '')
                   || ' tienen';
        END
        ELSE
        BEGIN
          COMPONENTE = 'descuentos de cuentas por cobrar';
          ORIGEN = 'El descuento de la cuenta por cobrar ' || COALESCE(L_PREF, '') || COALESCE(L_NUM, '') || ' tiene';
        END
        IF (V <> 0 AND FUENTE <> 'K') THEN
        BEGIN
          EXECUTE PROCEDURE CNT_ERROR (:TE, :ID, 9, :ORIGEN || ' valor y la interfaz de caja ' || :INTERFAZ
                                                    || ' no le da cuenta (fuente ' || :FUENTE || ')');
          ERROR = ERROR + 1;
        END
        ELSE
        BEGIN
          EXECUTE PROCEDURE CNT_LINEA (:IDC, :ITEM, :CH, :EQ, :TE, :ID, 37 + :K,
                                       IIF(:K = 1, :K_RTCRUCE, :K_DTOCRUCE), :COMPONENTE,
                                       'la interfaz de caja ' || :INTERFAZ || ' (fuente K)',
                                       :NIT, NULL, NULL, :CONC, :REF, NULL, 0, 0, :V, NULL, 62, :L_TIPO,
                                       COALESCE(:PREF, '') || COALESCE(:NUM, ''),
                                       COALESCE(:L_PREF, '') || COALESCE(:L_NUM, ''))
            RETURNING_VALUES :ITEM, :E;
          ERROR = ERROR + E;
        END
        K = K + 1;
      END
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
    SELECT SIGUIENTE, ERRORES
      FROM CNT_RETENCIONES_PAGO (:IDC, :ITEM, IIF(:ETAPA = 'C', 0, 1), :EQ, :TE, :ID, :NIIF, :NIT, :CONC, :REF,
                                 :INTERFAZ, 'la interfaz ' || :INTERFAZ,
                                 :T_RTFTE, :T_RTIVA, :T_RTICA, :T_CREE, :S_RTFTE, :S_RTIVA, :S_RTICA, :S_CREE,
                                 :K_RTFTE, :K_RTIVA, :K_RTICA, :K_CREE)
      INTO :ITEM, :E;
    ERROR = ERROR + E;
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

UPDATE REVISION SET REVI_FECHA = '2026/12/07';
