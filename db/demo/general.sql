/* Demo data of the general database: an administrator, a payables clerk and
   the demo company 001. The user codes are also their Firebird logins. */

INSERT INTO USUARIO (USUA_COD, USUA_NOMBRE, USUA_ADMIN)
  VALUES ('ADMIN', 'Administrador del Sistema', 'S');
INSERT INTO USUARIO (USUA_COD, USUA_NOMBRE, USUA_ADMIN)
  VALUES ('AUXILIAR', 'Carolina Gómez Restrepo', 'N');

INSERT INTO COMPANIA (COMP_COD, COM_NOMBRE, COMP_NIT, COMP_DIR, COMP_TELS, COMP_ENCABEZADO)
  VALUES ('001', 'Distribuidora Andina de Alimentos S.A.S.', '900123456-8',
          'Calle 26 # 68C-61, Bogotá D.C.',
          'PBX (601) 745 3210 - Cel. 310 555 0142',
          'NIT 900.123.456-8 - Responsable de IVA - Bogotá D.C., Colombia');
-- The sister company that receives copies of the creditors saved in 001.
INSERT INTO COMPANIA (COMP_COD, COM_NOMBRE, COMP_NIT, COMP_DIR, COMP_TELS, COMP_ENCABEZADO)
  VALUES ('002', 'Distribuidora Andina de Antioquia S.A.S.', '901555772-8',
          'Carrera 43A # 1 Sur-100, Medellín',
          'PBX (604) 444 7788',
          'NIT 901.555.772-8 - Responsable de IVA - Medellín, Colombia');
