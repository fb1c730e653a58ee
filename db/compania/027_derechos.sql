-- Rights in the database. Ordinary logins may only read USUARIO (the grants
-- are made by the applier after every upgrade, see db/README.md): a user
-- changes her own working period through this procedure, which holds the
-- privilege and touches her own row only.

SET TERM ^ ;

CREATE PROCEDURE CAMBIE_PERIODO (ANO VARCHAR(4), PERIODO INTEGER)
AS
BEGIN
  UPDATE USUARIO
     SET USER_ANOCNT = :ANO,
         USER_PERCNT = :PERIODO
   WHERE USER_COD = CURRENT_USER;
END^

SET TERM ; ^
