-- Rights in the database. Ordinary logins may only read USUARIO: the
-- connection mark of the day (FECCON) is set and cleared through these
-- procedures, which hold the privilege and touch the caller's own row only.

SET TERM ^ ;

-- The caller is connected on FECHA.
CREATE PROCEDURE MARQUE_CONEXION (FECHA DATE)
AS
BEGIN
  UPDATE USUARIO SET FECCON = :FECHA WHERE USUA_COD = CURRENT_USER;
END^

-- The caller leaves: her mark is cleared when it is still the one of FECHA
-- (another session of hers, started on a later day, keeps its own).
CREATE PROCEDURE LIMPIE_CONEXION (FECHA DATE)
AS
BEGIN
  UPDATE USUARIO SET FECCON = NULL WHERE USUA_COD = CURRENT_USER AND FECCON = :FECHA;
END^

SET TERM ; ^
