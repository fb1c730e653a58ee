#include "maintenance/Tfchequeosaldos.h"

#include "base/Sql.h"
#include "data/Interaccion.h"
#include "data/ManejadorErrores.h"
#include "data/Sesion.h"

#include <QEventLoop>
#include <QHash>
#include <exception>
#include <thread>

namespace cxp {

namespace {

std::vector<FieldSpec> columnasErrores();

void abrirErrores(DataSet& ds) {
    ds.openEmpty(columnasErrores());
    const std::pair<const char*, const char*> titulos[] = {
        {"ID", "Id"}, {"TIPO", "Tipo"}, {"PREF", "Prefijo"}, {"NUMERO", "Número"}, {"ERROR", "Error"}};
    for (const auto& [campo, titulo] : titulos) ds.field(QLatin1String(campo)).setLabel(QString::fromUtf8(titulo));
}

std::vector<FieldSpec> columnasErrores() {
    return {FieldSpec(QStringLiteral("ID"), FieldType::Integer), FieldSpec(QStringLiteral("TIPO"), FieldType::Integer),
            FieldSpec(QStringLiteral("PREF"), FieldType::String, 4),
            FieldSpec(QStringLiteral("NUMERO"), FieldType::String, 8),
            FieldSpec(QStringLiteral("ERROR"), FieldType::String, 60)};
}

}  // namespace

Tfchequeosaldos::Tfchequeosaldos(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador,
                                 QObject* parent)
    : QObject(parent), sesion_(sesion), interaccion_(interaccion), manejador_(manejador) {
    abrirErrores(errores_);
}

void Tfchequeosaldos::setInicial(const QString& nit) {
    if (nit == inicial_) return;
    inicial_ = nit;
    emit cambioRango();
}

void Tfchequeosaldos::setFinal(const QString& nit) {
    if (nit == ultimo_) return;
    ultimo_ = nit;
    emit cambioRango();
}

void Tfchequeosaldos::buscarInicial() {
    if (const auto e = interaccion_.elegir(QStringLiteral("Tfbuscprove")))
        setInicial(e->value(QStringLiteral("nit")).toString());
}

void Tfchequeosaldos::buscarFinal() {
    if (const auto e = interaccion_.elegir(QStringLiteral("Tfbuscprove")))
        setFinal(e->value(QStringLiteral("nit")).toString());
}

std::vector<Tfchequeosaldos::Tramo> Tfchequeosaldos::tramos(int* acreedores) {
    const QString desde = inicial_.trimmed(), hasta = ultimo_.trimmed();
    const QString rango = QStringLiteral(" between ") + sql::texto(desde) + QStringLiteral(" and ") + sql::texto(hasta);
    const auto nits = sesion_.compania.query(QStringLiteral("select TERC_NIT from TERCEROS where TERC_NIT") + rango +
                                             QStringLiteral(" order by 1"));
    // Documents per creditor, from the stored balances (in the index's order).
    QHash<QString, int> documentos;
    for (const fb::Row& f : sesion_.compania.query(QStringLiteral("select TERC_NIT, count(*) from SALDOS_DOC_CXPAGAR "
                                                                  "where TERC_NIT") +
                                                   rango + QStringLiteral(" group by TERC_NIT")))
        documentos.insert(f.at(0).toString(), int(f.at(1).toInt64()));
    *acreedores = int(nits.size());
    // Each sub-range ends at a third party and the next starts just after
    // it (the same text followed by the least character), so that a
    // document whose creditor is in no third-party row is still covered.
    std::vector<Tramo> r;
    QString inicio = desde;
    int peso = 0, cuantos = 0;
    for (size_t i = 0; i + 1 < nits.size(); ++i) {
        const QString nit = nits[i].at(0).toString();
        peso += qMax(1, documentos.value(nit));
        ++cuantos;
        if (peso < tramo_) continue;
        r.push_back({inicio, nit, cuantos});
        inicio = nit + QChar(1);
        peso = cuantos = 0;
    }
    r.push_back({inicio, hasta, cuantos + (nits.empty() ? 0 : 1)});
    return r;
}

void enOtroHilo(const std::function<void()>& trabajo) {
    QEventLoop bucle;
    std::exception_ptr error;
    std::thread hilo([&] {
        try {
            trabajo();
        } catch (...) {
            error = std::current_exception();
        }
        QMetaObject::invokeMethod(&bucle, &QEventLoop::quit, Qt::QueuedConnection);
    });
    bucle.exec();
    hilo.join();
    if (error) std::rethrow_exception(error);
}

void Tfchequeosaldos::recorrer(const std::vector<Tramo>& partes, int acreedores, std::vector<fb::Row>& filas) {
    int hechos = 0;
    for (const auto& [desde, hasta, cuantos] : partes) {
        fb::Transaction tr = sesion_.compania.begin();
        const auto encontradas = tr.query(QStringLiteral("select * from CHEQUEO_SALDOS_DOC_Cxpagar (") +
                                          sql::texto(desde) + u',' + sql::texto(hasta) + u')');
        for (const fb::Row& f : encontradas)
            tr.execute(QStringLiteral("execute procedure REPARE_SALDO_DOC_CXPAGAR(?, ?)"),
                       {f[QStringLiteral("TIPO")], f[QStringLiteral("ID")]});
        tr.commit();
        filas.insert(filas.end(), encontradas.begin(), encontradas.end());
        hechos = qMin(acreedores, hechos + cuantos);
        emit progreso(hechos, acreedores);
        if (bomba_) bomba_();
    }
}

bool Tfchequeosaldos::recalcular() {
    if (corriendo_) return false;
    if (inicial_.trimmed().isEmpty() || ultimo_.trimmed().isEmpty()) {
        interaccion_.informacion(kSinRango);
        return false;
    }
    corriendo_ = true;
    emit panel(kPanel);
    std::vector<fb::Row> filas;
    const bool ok = manejador_.proteger([&] {
        // The chunks are measured on the worker too: counting the documents
        // of a large company takes a moment.
        const auto todos = [&] {
            int acreedores = 0;
            const auto partes = tramos(&acreedores);
            emit progreso(0, acreedores);
            recorrer(partes, acreedores, filas);
        };
        if (enHilo_)
            enOtroHilo(todos);
        else
            todos();
    });
    emit panel(QString());
    corriendo_ = false;
    if (!ok) return false;
    if (filas.empty()) {
        interaccion_.informacion(kExito);
        emit cerrar();
        return true;
    }
    interaccion_.informacion(kConErrores);
    abrirErrores(errores_);
    for (const fb::Row& f : filas) {
        errores_.append();
        for (const QString& c : {QStringLiteral("ID"), QStringLiteral("TIPO"), QStringLiteral("PREF"),
                                 QStringLiteral("NUMERO"), QStringLiteral("ERROR")})
            errores_.setValue(c, f[c]);
        errores_.post();
    }
    errores_.first();
    setInicial(QString());
    setFinal(QString());
    emit mostrarErrores();
    return true;
}

}  // namespace cxp
