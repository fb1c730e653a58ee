-- The document a discount crosses is recorded as prefix + number, up to
-- four and six characters: its column holds ten like the charge's.
ALTER TABLE NOTAS_CREDITO_PROVEEDOR ALTER COLUMN NCPR_NUMDOCAPL TYPE VARCHAR(10);

UPDATE REVISION SET REVI_FECHA = '2026/12/07';
