#include "creditors/FichaAcreedor.h"

#include "base/Nit.h"
#include "base/Sql.h"
#include "data/Configuracion.h"
#include "data/Contabilidad.h"
#include "data/Derechos.h"
#include "data/Interaccion.h"
#include "data/ManejadorErrores.h"
#include "data/Sesion.h"
#include "data/Terceros.h"

namespace cxp {

namespace {
const QString kNit = QStringLiteral("TERC_NIT");
const QString kTipo = QStringLiteral("TERC_TIPOID");
const QString kNombre = QStringLiteral("TERC_NOM");
const QString kGrupo = QStringLiteral("GRPR_COD");
const QString kProveedor = QStringLiteral("QTerceros");
const QString kDataset = QStringLiteral("cdsTerceros");
const QStringList kPartes{QStringLiteral("TERC_APELLIDO1"), QStringLiteral("TERC_APELLIDO2"),
                          QStringLiteral("TERC_NOMBRE1"), QStringLiteral("TERC_NOMBRE2")};

bool vacio(const DataSet& ds, const QString& campo) { return ds.asString(campo).trimmed().isEmpty(); }
}  // namespace

const QStringList& FichaAcreedor::cuentasLocales() {
    static const QStringList c{QStringLiteral("PROV_CTAPAGAR"), QStringLiteral("PROV_CTACAUSA"),
                               QStringLiteral("PROV_CTARTFTE"), QStringLiteral("PROV_CTARTIVA"),
                               QStringLiteral("PROV_CTARTICA"), QStringLiteral("PROV_CTARTCREE")};
    return c;
}

const QStringList& FichaAcreedor::cuentasNiif() {
    static const QStringList c{QStringLiteral("PROV_CTAPAGNIIF"),  QStringLiteral("PROV_CTACAUSANIIF"),
                               QStringLiteral("PROV_CTARFTENIIF"), QStringLiteral("PROV_CTARIVANIIF"),
                               QStringLiteral("PROV_CTARICANIIF"), QStringLiteral("PROV_CTARCREENIIF")};
    return c;
}

QString FichaAcreedor::nombreCompuesto(const QString& apellido1, const QString& apellido2, const QString& nombre1,
                                       const QString& nombre2) {
    return apellido1 + u' ' + apellido2 + u' ' + nombre1 + u' ' + nombre2;
}

FichaAcreedor::FichaAcreedor(Modo modo, Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador,
                             const Configuracion& configuracion, QObject* parent)
    : QObject(parent),
      modo_(modo),
      sesion_(sesion),
      interaccion_(interaccion),
      manejador_(manejador),
      configuracion_(configuracion),
      contabilidad_(std::make_unique<Contabilidad>(sesion, interaccion, configuracion)) {
    tercero_.setUpdateTable(QStringLiteral("TERCEROS"), {kNit});
    proveedor_.setUpdateTable(QStringLiteral("PROVEEDORES"), {kNit});
    contactos_.setUpdateTable(QStringLiteral("TERCEROS_CONTACTOS"), {kNit, QStringLiteral("TECC_ITEM")});

    tercero_.onNewRecord([this](DataSet& t) {
        for (const char* c : {"TERC_CLIE", "TERC_EMPL", "TERC_CONDUCTOR", "TERC_ADMINI", "TERC_TRANS", "TERC_EXENTO",
                              "TERC_SIMPLIFICA", "TERC_DVDIAN"})
            t.setValue(QString::fromLatin1(c), QStringLiteral("N"));
        t.setValue(QStringLiteral("TERC_PROV"), QStringLiteral("S"));
        t.setValue(kTipo, QStringLiteral("J"));
        t.setValue(QStringLiteral("TERC_ESTADO"), QStringLiteral("S"));
        t.setValue(QStringLiteral("PAIS_ID"), QStringLiteral("169"));
        if (!ciudadSugerida_.isEmpty()) {
            t.setValue(QStringLiteral("CIUD_COD"), ciudadSugerida_);
            const QString nombre = nombreDe(ciudades_, ciudadSugerida_);
            if (!nombre.isEmpty()) t.setValue(QStringLiteral("TERC_CIU"), nombre.left(40));
        }
    });
    proveedor_.onNewRecord([this](DataSet& p) {
        if (!grupos_.isEmpty()) p.setValue(kGrupo, grupos_.first().clave);
        for (const char* c : {"PROV_RETEFTE", "PROV_RTEIVA", "PROV_RTEICA", "PROV_RTCREE"}) p.setValue(QString::fromLatin1(c), Dinero());
        for (const char* c : {"PROV_SIMPLIFICADO", "PROV_FOMENTO", "PROV_IMPINC"})
            p.setValue(QString::fromLatin1(c), QStringLiteral("N"));
    });
    contactos_.onNewRecord([this](DataSet& c) { c.setValue(QStringLiteral("TECC_ITEM"), ++ultimoContacto_); });

    tercero_.onChange(kNit, [this](DataSet&) { nitIngresado(); });
    tercero_.onChange(kTipo, [this](DataSet&) { tipoIngresado(); });
    tercero_.onChange(QStringLiteral("CIUD_COD"), [this](DataSet&) { ciudadIngresada(); });
    proveedor_.onChange(kGrupo, [this](DataSet&) { grupoIngresado(); });
    for (const QStringList* lista : {&cuentasLocales(), &cuentasNiif()})
        for (const QString& c : *lista) proveedor_.onChange(c, [this, c](DataSet& p) { cuentaIngresada(p, c); });
}

FichaAcreedor::~FichaAcreedor() = default;

QString FichaAcreedor::titulo() const {
    return modo_ == Modo::Nuevo ? QStringLiteral("Nuevo acreedor") : QStringLiteral("Modificar acreedor");
}

bool FichaAcreedor::personaNatural() const {
    return tercero_.isOpen() && !tercero_.isEmpty() && !tercero_.asString(kTipo).isEmpty() &&
           tercero_.asString(kTipo) != QStringLiteral("J");
}

void FichaAcreedor::cargarListas() {
    auto lista = [this](const QString& sql) {
        QList<OpcionBusqueda> r;
        for (const fb::Row& f : sesion_.compania.query(sql)) r.append({f[0].toString(), f[1].toString()});
        return r;
    };
    grupos_ = lista(QStringLiteral("select GRPR_COD, GRPR_NOM from GRUPOS_PROVEEDORES order by GRPR_COD"));
    tipos_ = lista(QStringLiteral("select TIID_COD, TIID_NOM from TIPO_ID order by TIID_COD"));
    ciudades_ = lista(QStringLiteral("select CIUD_COD, CIUD_NOM from CIUDADES order by CIUD_NOM"));
    paises_ = lista(QStringLiteral("select PAIS_ID, PAIS_NOM from PAISES order by PAIS_NOM"));
    bancos_ = lista(QStringLiteral("select BANC_COD, BANC_NOMBRE from BANCOS order by BANC_NOMBRE"));
}

bool FichaAcreedor::abrir(const QString& nit) {
    bool abierto = false;
    manejador_.proteger([&] {
        const QString cont = QStringLiteral("CONTABILIDAD"), ter = QStringLiteral("TERCEROS");
        letrasEnNit_ = configuracion_.buscar(cont, ter, QStringLiteral("PERMITIR LETRAS Y CARACTERES ADICIONALES EN NIT"))
                           .value_or(QString()) != QStringLiteral("NO");
        dvEditable_ = configuracion_.buscar(cont, ter, QStringLiteral("PERMITIR MODIFICAR DIGITO DE VERIFICACION DEL NIT"))
                          .value_or(QString()) != QStringLiteral("NO");
        direccionObligatoria_ =
            configuracion_.buscar(cont, ter, QStringLiteral("DATOS DE DIRECCION, CIUDAD, PAIS, TELEFONO Y MAIL OBLIGATORIOS"))
                .value_or(QString()) == QStringLiteral("SI");
        ciudadSugerida_ = configuracion_.buscar(cont, ter, QStringLiteral("CODIGO DE CIUDAD A SUGERIR")).value_or(QString());
        const QString fax = configuracion_.buscar(QStringLiteral("GENERAL"), QStringLiteral("GENERAL"),
                                                  QStringLiteral("NOMBRE DEL CAMPO DE FAX")).value_or(QString());
        if (!fax.trimmed().isEmpty()) tituloFax_ = fax.trimmed().endsWith(u':') ? fax.trimmed() : fax.trimmed() + u':';

        puedeGrabar_ = valide_acceso(sesion_, 0, QStringLiteral("C. X PAGAR"));
        if (modo_ == Modo::Nuevo && !puedeGrabar_) {
            interaccion_.informacion(kAccesoNegado);
            return;
        }
        cargarListas();
        if (modo_ == Modo::Nuevo) {
            nuevo();
            abierto = true;
            return;
        }
        abrirTercero(nit);
        if (tercero_.isEmpty()) {
            interaccion_.error(QStringLiteral("Error. No se encontró el tercero."));
            return;
        }
        // The date as every date shows (yyyy/MM/dd), not as the database
        // writes a date into text.
        const auto audit = sesion_.compania.queryOne(
            QStringLiteral("select first 1 audi_fecha, substring(audi_hora from 1 for 8), audi_usuario "
                           "from auditoria where tido_cod = 104 and ((audi_oper = 'U') or (audi_oper = 'I')) and audi_cod = ") +
            sql::texto(nit) + QStringLiteral(" order by audi_fecha desc, audi_hora desc"));
        registro_ = QStringLiteral("Registro: ") +
                    (audit ? (*audit)[0].toString() + u'-' + (*audit)[1].toString() + u' ' + (*audit)[2].toString()
                           : QString());
        const auto maximo = sesion_.compania.queryOne(
            QStringLiteral("select max(tecc_item) from terceros_contactos where terc_nit = ") + sql::texto(nit));
        ultimoContacto_ = maximo && !(*maximo)[0].isNull() ? int((*maximo)[0].toInt64()) : 0;
        tercero_.edit();
        if (proveedor_.isEmpty()) proveedor_.append(); else proveedor_.edit();
        abierto = true;
    });
    return abierto;
}

void FichaAcreedor::abrirTercero(const QString& nit) {
    const QString q = sql::texto(nit);
    tercero_.open(sesion_.compania, QStringLiteral("select * from TERCEROS where TERC_NIT = ") + q);
    proveedor_.open(sesion_.compania, QStringLiteral("select * from PROVEEDORES where TERC_NIT = ") + q);
    contactos_.open(sesion_.compania,
                    QStringLiteral("select * from TERCEROS_CONTACTOS where TERC_NIT = ") + q + QStringLiteral(" order by TECC_ITEM"));
    if (!enlazados_) {
        enlazados_ = true;
        tercero_.addDetail(proveedor_, {kNit}, {kNit});
        tercero_.addDetail(contactos_, {kNit}, {kNit});
        contactos_.field(QStringLiteral("TECC_NOMBRE")).setLabel(QStringLiteral("Nombre"));
        contactos_.field(QStringLiteral("TECC_CARGO")).setLabel(QStringLiteral("Cargo"));
        contactos_.field(QStringLiteral("TECC_TELEFONO")).setLabel(QStringLiteral("Teléfono"));
        contactos_.field(QStringLiteral("TECC_EMAIL")).setLabel(QStringLiteral("E-mail"));
        contactos_.field(kNit).setVisible(false);
        contactos_.field(QStringLiteral("TECC_ITEM")).setLabel(QStringLiteral("Item"));
    }
}

// An empty third party (NIT "0" finds none) with its supplier row, in insert.
void FichaAcreedor::nuevo() {
    abrirTercero(QStringLiteral("0"));
    ultimoContacto_ = 0;
    tercero_.append();
    proveedor_.append();
    // The new creditor takes the accounts of its group.
    if (!grupos_.isEmpty()) copiarCuentasDelGrupo(grupos_.first().clave);
}

void FichaAcreedor::nitIngresado() {
    if (modo_ != Modo::Nuevo || cerrando_) return;
    const QString nit = tercero_.asString(kNit).trimmed();
    if (nit.isEmpty()) return;
    Terceros terceros(sesion_.compania, interaccion_, configuracion_);
    // An active creditor is modified, not created again; an active third
    // party that is not a creditor (flag "N") is offered to become one, as
    // an inactive one is.
    if (terceros.valide_proveedor(nit) == QStringLiteral("S")) {
        interaccion_.informacion(QStringLiteral(
            "Proveedor previamente registrado, use la opción modificar para consultar o modificar los datos."));
        return;
    }
    if (!terceros.existe_nit(nit)) {
        if (!letrasEnNit_)
            if (const auto d = dv(nit)) tercero_.setValue(QStringLiteral("TERC_DV"), QString::number(*d));
        proveedor_.setValue(QStringLiteral("PROV_COD"), nit.left(15));
        return;
    }
    if (!interaccion_.preguntar(QStringLiteral("NIT ya registrado, marcar como proveedor?"))) return;
    QString grupo = proveedor_.isEmpty() ? QString() : proveedor_.asString(kGrupo);
    if (grupo.isEmpty() && !grupos_.isEmpty()) grupo = grupos_.first().clave;
    fb::Transaction tr = sesion_.compania.begin();
    tr.execute(QStringLiteral("update terceros set terc_prov = 'S' where terc_nit = ") + sql::texto(nit));
    // A third party that kept its supplier row while inactive keeps it.
    if (!tr.queryOne(QStringLiteral("select 1 from proveedores where terc_nit = ") + sql::texto(nit)))
        tr.execute(QStringLiteral("insert into proveedores (terc_nit, grpr_cod, prov_simplificado) values (") + sql::texto(nit) +
               u',' + sql::texto(grupo) + QStringLiteral(", 'N')"));
    tr.commit();
    cerrando_ = true;
    emit cerrar();
}

void FichaAcreedor::tipoIngresado() {
    const bool natural = personaNatural();
    if (!natural)
        for (const QString& p : kPartes)
            if (!tercero_.isNull(p)) tercero_.setValue(p, fb::Value());
    emit tipoCambiado(natural);
    interaccion_.enfocar(natural ? kPartes.first() : kNombre);
}

void FichaAcreedor::ciudadIngresada() {
    const QString nombre = nombreDe(ciudades_, tercero_.asString(QStringLiteral("CIUD_COD")));
    tercero_.setValue(QStringLiteral("TERC_CIU"), nombre.isEmpty() ? fb::Value() : fb::Value(nombre.left(40)));
}

void FichaAcreedor::grupoIngresado() {
    const QString grupo = proveedor_.asString(kGrupo);
    if (grupo.isEmpty()) return;
    if (modo_ == Modo::Nuevo) {
        copiarCuentasDelGrupo(grupo);
        return;
    }
    if (interaccion_.preguntar(QStringLiteral("Desea cambiar las ctas. contables del proveedor por las del nuevo grupo?")))
        copiarCuentasDelGrupo(grupo);
}

// The group's payable and withholding accounts, local and NIIF, into the
// creditor's eight account columns. Accounts chosen by the group are not
// checked again.
void FichaAcreedor::copiarCuentasDelGrupo(const QString& grupo) {
    const auto fila = sesion_.compania.queryOne(
        QStringLiteral("select GRPR_CTAPROV, GRPR_CTARTFTE, GRPR_CTARTIVA, GRPR_CTARTICA, GRPR_CTAPROVNIIF, "
                       "GRPR_CTARFTENIIF, GRPR_CTARIVANIIF, GRPR_CTARICANIIF from GRUPOS_PROVEEDORES where GRPR_COD = ") +
        sql::texto(grupo));
    if (!fila) return;
    static const QStringList destino{QStringLiteral("PROV_CTAPAGAR"),   QStringLiteral("PROV_CTARTFTE"),
                                     QStringLiteral("PROV_CTARTIVA"),   QStringLiteral("PROV_CTARTICA"),
                                     QStringLiteral("PROV_CTAPAGNIIF"), QStringLiteral("PROV_CTARFTENIIF"),
                                     QStringLiteral("PROV_CTARIVANIIF"), QStringLiteral("PROV_CTARICANIIF")};
    copiandoGrupo_ = true;
    for (int i = 0; i < destino.size(); ++i) proveedor_.setValue(destino[i], (*fila)[i]);
    copiandoGrupo_ = false;
}

void FichaAcreedor::cuentaIngresada(DataSet& p, const QString& campo) {
    if (copiandoGrupo_) return;
    const QString texto = p.asString(campo).trimmed();
    if (texto.isEmpty()) return;
    const bool niif = cuentasNiif().contains(campo);
    QString cuenta = contabilidad_->entrada_cuenta(texto, niif);
    if (cuenta.startsWith(u'?')) cuenta.clear();  // the lookup was left without choosing
    if (cuenta != texto) p.setValue(campo, cuenta.isEmpty() ? fb::Value() : fb::Value(cuenta));
}

void FichaAcreedor::elegirCiudad() {
    const auto eleccion = interaccion_.elegir(QStringLiteral("Tfciudades"));
    if (!eleccion) return;
    const QString codigo = eleccion->value(QStringLiteral("codigo")).toString();
    if (codigo.isEmpty()) return;
    if (nombreDe(ciudades_, codigo).isEmpty()) cargarListas();
    if (tercero_.state() == DataSet::State::Browse) tercero_.edit();
    tercero_.setValue(QStringLiteral("CIUD_COD"), codigo);
}

void FichaAcreedor::buscarCuenta(const QString& campo, const QString& filtro) {
    if (const auto cuenta = contabilidad_->elegir_cuenta(filtro, cuentasNiif().contains(campo))) {
        editarProveedor();
        copiandoGrupo_ = true;  // the chosen account is valid
        proveedor_.setValue(campo, *cuenta);
        copiandoGrupo_ = false;
    }
}

void FichaAcreedor::editarProveedor() {
    if (proveedor_.isEmpty())
        proveedor_.append();
    else if (proveedor_.state() == DataSet::State::Browse)
        proveedor_.edit();
}

bool FichaAcreedor::validar() {
    const std::pair<const char*, const char*> basicos[] = {
        {"TERC_NIT", "Falta ingresar el NIT o identificación del tercero."},
        {"TERC_TIPOID", "Falta ingresar el tipo de documento."},
        {"TERC_NOM", "Falta ingresar el nombre del tercero."},
    };
    const std::pair<const char*, const char*> direccion[] = {
        {"TERC_DIR", "Falta ingresar la dirección del tercero."},
        {"TERC_TEL", "Falta ingresar el teléfono del tercero."},
        {"TERC_EMAIL", "Falta ingresar el correo electrónico del tercero."},
        {"CIUD_COD", "Falta ingresar la ciudad del tercero."},
        {"PAIS_ID", "Falta ingresar el país del tercero."},
    };
    auto revisar = [this](const auto& lista) {
        for (const auto& [campo, mensaje] : lista)
            if (vacio(tercero_, QString::fromLatin1(campo))) {
                interaccion_.error(QString::fromUtf8(mensaje));
                interaccion_.enfocar(QString::fromLatin1(campo));
                return false;
            }
        return true;
    };
    return revisar(basicos) && (!direccionObligatoria_ || revisar(direccion));
}

void FichaAcreedor::asegurarProveedor() {
    editarProveedor();
    if (vacio(proveedor_, QStringLiteral("PROV_COD")))
        proveedor_.setValue(QStringLiteral("PROV_COD"), tercero_.asString(kNit).trimmed().left(15));
    proveedor_.setValue(QStringLiteral("PROV_USUARIO"), sesion_.usuario_actual.left(10));
}

bool FichaAcreedor::grabar() {
    if (!tercero_.isOpen() || tercero_.isEmpty()) return false;
    if (!puedeGrabar_) {
        interaccion_.informacion(kAccesoNegado);
        return false;
    }
    if (tercero_.state() == DataSet::State::Browse) tercero_.edit();
    if (personaNatural())
        tercero_.setValue(kNombre, nombreCompuesto(tercero_.asString(kPartes[0]), tercero_.asString(kPartes[1]),
                                                   tercero_.asString(kPartes[2]), tercero_.asString(kPartes[3]))
                                       .left(60));
    if (!validar()) return false;
    DataSet* enCurso = &tercero_;
    try {
        tercero_.setValue(QStringLiteral("TERC_PROV"), QStringLiteral("S"));
        tercero_.setValue(QStringLiteral("TERC_USUARIO"), sesion_.usuario_actual.left(10));
        enCurso = &contactos_;
        if (contactos_.state() != DataSet::State::Browse) contactos_.post();
        enCurso = &proveedor_;
        asegurarProveedor();
        proveedor_.post();
        enCurso = &tercero_;
        tercero_.post();
    } catch (const DataSetError& e) {
        manejador_.ManejarClientError(*enCurso, kDataset, e);
        if (!e.field().isEmpty()) interaccion_.enfocar(e.field());
        return false;
    }
    const QString nit = tercero_.asString(kNit).trimmed();
    const QString nombre = tercero_.asString(kNombre);
    try {
        tercero_.applyUpdates(sesion_.compania);
    } catch (const fb::DbError& e) {
        manejador_.ManejarError(e, kProveedor);
        tercero_.edit();
        editarProveedor();
        return false;
    }
    grabado_ = QVariantMap{{QStringLiteral("nit"), nit}, {QStringLiteral("nombre"), nombre}};
    // The copies go after the save; one that fails is reported and the
    // creditor stays saved here.
    if (replicar_) {
        try {
            replicar_(nit);
        } catch (const std::exception& e) {
            manejador_.ManejarError(e);
        }
    }
    if (modo_ == Modo::Modificar) {
        emit cerrar();
        return true;
    }
    nuevo();
    emit reiniciado();
    interaccion_.enfocar(kNit);
    return true;
}

void FichaAcreedor::salir() {
    for (DataSet* ds : {&contactos_, &proveedor_, &tercero_})
        if (ds->isOpen() && ds->state() != DataSet::State::Browse) ds->cancel();
    emit cerrar();
}

}  // namespace cxp
