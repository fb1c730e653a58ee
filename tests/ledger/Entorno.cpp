#include "tests/ledger/Entorno.h"

namespace prueba {

namespace {

// Each stand-in in its own statement.
const char* const kSustitutos[] = {
    R"(create or alter procedure CXPAGAR_PROVEEDOR (NIT VARCHAR(20), FECHA DATE, MONEDA INTEGER)
returns (TIPO INTEGER, ID INTEGER, PREFIJO VARCHAR(4), NUMERO VARCHAR(8), SALDO NUMERIC(15,2),
  RTFTE NUMERIC(15,2), RTIVA NUMERIC(15,2), RTICA NUMERIC(15,2), DTOF NUMERIC(15,2), TIPONOM VARCHAR(8),
  NOMBRE VARCHAR(60), CONCEPTO VARCHAR(60), FECDOC DATE, VENCE DATE, DIAS INTEGER, REFERENCIA VARCHAR(20))
as begin
  CONCEPTO = NIT || ' ' || FECHA || ' ' || MONEDA; NOMBRE = 'ACME'; FECDOC = FECHA - 40; VENCE = FECHA - 10;
  DIAS = 10; RTFTE = 0; RTIVA = 0; RTICA = 0; DTOF = 0; REFERENCIA = 'R';
  TIPO = 51; ID = 11; PREFIJO = 'CXP'; NUMERO = '000001'; SALDO = 1000.50; TIPONOM = 'NDPROV'; suspend;
  TIPO = 21; ID = 12; PREFIJO = 'FC'; NUMERO = '000007'; SALDO = 250.25; TIPONOM = 'FACOMPRA'; suspend;
  TIPO = 50; ID = 13; PREFIJO = 'FP'; NUMERO = '00000009'; SALDO = 9.99; TIPONOM = 'FACPROV'; suspend;
  TIPO = 55; ID = 14; PREFIJO = 'AN'; NUMERO = '000002'; SALDO = -300; TIPONOM = 'ANTIPROV'; suspend;
end)",
    R"(create or alter procedure SALDO_PROVEEDOR (NIT VARCHAR(20), FECHA DATE, MONEDA INTEGER)
returns (SALDO NUMERIC(15,2))
as begin
  if (FECHA < date '2026-01-01' or NIT <> 'O''Hara') then SALDO = null;
  else SALDO = datediff(day from date '2026-01-01' to FECHA) * 100 + MONEDA + 0.01;
  suspend;
end)",
    R"(create or alter procedure SALDOS_MOVIMIENTO_CXPAGAR (NIT VARCHAR(20), DESDE DATE, HASTA DATE, MONEDA INTEGER)
returns (INICIAL NUMERIC(15,2), FINAL NUMERIC(15,2))
as begin
  select SALDO from SALDO_PROVEEDOR (:NIT, dateadd(-1 day to :DESDE), :MONEDA) into :INICIAL;
  select SALDO from SALDO_PROVEEDOR (:NIT, :HASTA, :MONEDA) into :FINAL;
  suspend;
end)",
    R"(create or alter procedure MOVIMIENTO_CXPAGAR_DESDE_HASTA (NIT VARCHAR(20), DESDE DATE, HASTA DATE,
  MONEDA INTEGER)
returns (INICIAL NUMERIC(15,2), TIPODOC VARCHAR(8), IDDOC INTEGER, PREFIJO VARCHAR(4), NUMERO VARCHAR(8),
  FECHA DATE, CONCEPTO VARCHAR(60), DEBITO NUMERIC(15,2), CREDITO NUMERIC(15,2), SALDO NUMERIC(15,2),
  NOMBRE VARCHAR(60), RTFTE NUMERIC(15,2), RTIVA NUMERIC(15,2), RTICA NUMERIC(15,2), NUMPROV VARCHAR(20))
as begin
  CONCEPTO = NIT || ' ' || DESDE || ' ' || HASTA || ' ' || MONEDA; FECHA = DESDE; INICIAL = 0;
  DEBITO = 0; CREDITO = 0; SALDO = 0;
  TIPODOC = 'NDPROV'; IDDOC = 11; PREFIJO = 'CXP'; NUMERO = '000001'; DEBITO = 100; suspend;
  TIPODOC = 'EGRESO'; IDDOC = 21; PREFIJO = 'EG'; NUMERO = '000003'; CREDITO = 100; suspend;
  TIPODOC = 'APLICLIE'; IDDOC = 31; suspend;
  TIPODOC = 'OTRO'; IDDOC = 41; suspend;
  TIPODOC = 'DSCTOACR'; IDDOC = 51; suspend;
end)",
    R"(create or alter procedure MOVIMIENTO_CXPAGAR_MES (DESDE DATE, HASTA DATE, MONEDA INTEGER)
returns (NIT VARCHAR(20), NOMBRE VARCHAR(60), GRUPO VARCHAR(2), INICIAL NUMERIC(15,2), DEBITOS NUMERIC(15,2),
  CREDITOS NUMERIC(15,2), ABONOS NUMERIC(15,4), FINAL NUMERIC(15,2))
as begin
  NOMBRE = DESDE || ' ' || HASTA || ' ' || MONEDA; GRUPO = '01';
  NIT = '900'; INICIAL = 0.10; DEBITOS = 1000000000.20; CREDITOS = 0.30; ABONOS = 0.0001; FINAL = 999999999.99; suspend;
  NIT = '901'; INICIAL = 0.20; DEBITOS = 0.10; CREDITOS = 0; ABONOS = 0.0002; FINAL = 0.30; suspend;
end)",
    R"(create or alter procedure ABONOS_DOCUMENTO_CXPAGAR (TIPO INTEGER, ID INTEGER)
returns (TIPOAB INTEGER, IDAB INTEGER, TIPODOC VARCHAR(8), PREFIJO VARCHAR(4), NUMERO VARCHAR(8), FECHA DATE,
  ABONO NUMERIC(15,2), RETES NUMERIC(15,2))
as begin
  PREFIJO = TIPO; NUMERO = ID; RETES = 1.10;
  TIPOAB = 62; IDAB = 5; TIPODOC = 'EGRESO'; FECHA = date '2026-03-05'; ABONO = 10.10; suspend;
  TIPOAB = 53; IDAB = 6; TIPODOC = 'APLIPROV'; FECHA = date '2026-01-05'; ABONO = 20.20; suspend;
  TIPOAB = 61; IDAB = 7; TIPODOC = 'RECCAJA'; FECHA = date '2026-02-05'; ABONO = 30.30; suspend;
  TIPOAB = 99; IDAB = 8; TIPODOC = 'OTRO'; FECHA = date '2026-04-05'; ABONO = 0.01; suspend;
end)",
    R"(create or alter procedure REP_ANALISIS_CXPAGAR (NIT_DESDE VARCHAR(20), NIT_HASTA VARCHAR(20),
  GRUPO_DESDE VARCHAR(2), GRUPO_HASTA VARCHAR(2), CORTE DATE, F1 CHAR(1), F2 CHAR(1), F3 CHAR(1),
  DIAS_RANGO INTEGER, AGENCIA INTEGER, MONEDA INTEGER)
returns (NIT VARCHAR(20), NOMBRE VARCHAR(60), TELEFONO VARCHAR(40), CIUDAD VARCHAR(40), GRUPO VARCHAR(2),
  NOMGRUPO VARCHAR(60), TIPO INTEGER, ID INTEGER, PREFIJO VARCHAR(4), NUMERO VARCHAR(8), DIAS INTEGER,
  SALDO NUMERIC(15,2), SALDOMON NUMERIC(15,2), TRM NUMERIC(15,2), CORRIENTE NUMERIC(15,2), CERO NUMERIC(15,2),
  TREINTA NUMERIC(15,2), SESENTA NUMERIC(15,2), NOVENTA NUMERIC(15,2), TIPONOM VARCHAR(8), FECDOC DATE,
  VENCE DATE, NUMPROV VARCHAR(20), DTOF NUMERIC(15,2), FECDTOF DATE)
as begin
  TELEFONO = NIT_DESDE || '|' || NIT_HASTA || '|' || GRUPO_DESDE || '|' || GRUPO_HASTA || '|' || F1 || F2 || F3;
  CIUDAD = CORTE || ' ' || DIAS_RANGO || ' ' || AGENCIA || ' ' || MONEDA; GRUPO = '01'; NOMGRUPO = 'GENERAL';
  TIPO = 51; TIPONOM = 'NDPROV'; PREFIJO = 'CXP'; DIAS = 0; TRM = 1;
  CORRIENTE = 0; CERO = 0; TREINTA = 0; SESENTA = 0; NOVENTA = 0;
  NIT = '800'; NOMBRE = 'CERO SA'; ID = 1; NUMERO = '000001'; SALDO = 0; DTOF = 0; FECDTOF = null; suspend;
  NIT = '801'; NOMBRE = 'VENCIDO SA'; ID = 2; NUMERO = '000002'; SALDO = 1000.10; CERO = 600.05; NOVENTA = 400.05;
  DIAS = 95; DTOF = 5; FECDTOF = CORTE - 1; suspend;
  NIT = '802'; NOMBRE = 'AL DIA SA'; ID = 3; NUMERO = '000003'; SALDO = 500.20; CERO = 0; NOVENTA = 0;
  CORRIENTE = 500.20; DIAS = -3; DTOF = 7; FECDTOF = CORTE + 1; suspend;
  NIT = '802'; NOMBRE = 'AL DIA SA'; ID = 4; NUMERO = '000004'; SALDO = 0.30; CORRIENTE = 0; SESENTA = 0.30;
  DIAS = 70; DTOF = 0; FECDTOF = CORTE; suspend;
end)",
    R"(create or alter procedure ANALISIS_CXPAGAR (DESDE DATE, HASTA DATE)
returns (FECHA DATE, PREFIJO VARCHAR(4), NUMERO VARCHAR(8), TERCERO VARCHAR(20), NOMBRETERC VARCHAR(60),
  MUNICIPIO VARCHAR(5), NOMMUNICIPIO VARCHAR(60), GRUPO VARCHAR(2), NOMGRUPO VARCHAR(60), TIPODOC INTEGER,
  NOMTIPODOC VARCHAR(8), MONTO NUMERIC(15,2), SALDO NUMERIC(15,2))
as begin
  FECHA = DESDE; PREFIJO = 'CXP'; MUNICIPIO = '05001'; NOMMUNICIPIO = HASTA;
  TERCERO = '900'; NOMBRETERC = 'ACME'; GRUPO = '01'; NOMGRUPO = 'NACIONALES';
  NUMERO = '000001'; TIPODOC = 51; NOMTIPODOC = 'NDPROV'; MONTO = 100.10; SALDO = 50.05; suspend;
  NUMERO = '000002'; TIPODOC = 52; NOMTIPODOC = 'NCPROV'; MONTO = 0.20; SALDO = 0.10; suspend;
  TERCERO = '901'; NOMBRETERC = 'BETA'; NUMERO = '000003'; TIPODOC = 51; NOMTIPODOC = 'NDPROV'; MONTO = 0.70;
  SALDO = 0.70; suspend;
  TERCERO = '902'; NOMBRETERC = 'GAMMA'; GRUPO = '02'; NOMGRUPO = 'EXTERIOR'; FECHA = HASTA;
  NUMERO = '000004'; TIPODOC = 51; NOMTIPODOC = 'NDPROV'; MONTO = 1000; SALDO = 0; suspend;
end)",
};

}  // namespace

void EntornoLedger::SetUp() {
    fb::Database db = compania.conectar();
    if (sustitutos_) {
        for (const char* s : kSustitutos) db.executeDirect(QString::fromUtf8(s));
        // Dollars and euros may be chosen at any date of the tests.
        for (const char* m : {"840", "978"})
            db.executeDirect(QStringLiteral("insert into TASA_CAMBIO_MONEDA (TACA_ID, TIMO_COD, TACA_FECHA, TACA_VALOR) "
                                            "values (0, %1, '2000/01/01', 4000)").arg(QLatin1String(m)));
    }
    auto existe = [&](const char* sql) { return db.queryOne(QString::fromLatin1(sql))->at(0).toInt64() > 0; };
    // The list the payment voucher reads, when the schema does not have it yet.
    if (!existe("select count(*) from RDB$RELATIONS where RDB$RELATION_NAME = 'CONSOLIDE_FALTANTES'"))
        db.executeDirect("create table CONSOLIDE_FALTANTES (CEFA_ID integer not null, CEFA_ITEM integer not null, "
                         "CEFA_TIPOORI integer, CEFA_IDORI integer, CEFA_TIPODES integer, "
                         "primary key (CEFA_ID, CEFA_ITEM))");
    if (!existe("select count(*) from RDB$PROCEDURES where RDB$PROCEDURE_NAME = 'CAMBIE_ID_CONS'")) {
        db.executeDirect("create sequence GEN_PRUEBA_CONS");
        db.executeDirect("create procedure CAMBIE_ID_CONS returns (ID integer) as begin "
                         "ID = next value for GEN_PRUEBA_CONS; end");
    }
    db.executeDirect("insert into SUCURSALES (SUCU_ID, SUCU_NOMBRE) values (1, 'Principal')");
    db.executeDirect("insert into SUCURSALES (SUCU_ID, SUCU_NOMBRE) values (2, 'Centro')");
    db.executeDirect("insert into TERCEROS (TERC_NIT, TERC_NOM, TERC_PROV) values ('O''Hara', 'O''HARA Y CIA', 'S')");
    const auto grupo = db.queryOne("select first 1 GRPR_COD from GRUPOS_PROVEEDORES");
    if (!grupo) db.executeDirect("insert into GRUPOS_PROVEEDORES (GRPR_COD, GRPR_NOM) values ('01', 'GENERAL')");
    db.executeDirect(QStringLiteral("insert into PROVEEDORES (TERC_NIT, GRPR_COD) values ('O''Hara', '%1')")
                         .arg(grupo ? grupo->at(0).toString() : QStringLiteral("01")));
    entrar();
}

}  // namespace prueba
