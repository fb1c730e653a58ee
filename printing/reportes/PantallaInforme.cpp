#include "printing/reportes/PantallaInforme.h"

#include "base/Sql.h"
#include "data/BarraEstado.h"
#include "data/Configuracion.h"
#include "data/Interaccion.h"
#include "data/ManejadorErrores.h"
#include "data/Sesion.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QThread>
#include <QTimer>
#include <atomic>
#include <thread>

namespace cxp {

QString compone_titulo(QDate desde, QDate hasta, const QString& docDesde, const QString& docHasta) {
    const auto f = [](QDate d) { return d.toString(QStringLiteral("yyyy/MM/dd")); };
    QStringList partes;
    if (desde.isValid() && hasta.isValid())
        partes << QStringLiteral("Fechas: ") + f(desde) + QStringLiteral(" - ") + f(hasta);
    else if (desde.isValid() || hasta.isValid())
        partes << QStringLiteral("Fecha: ") + f(hasta.isValid() ? hasta : desde);
    if (!docDesde.trimmed().isEmpty() || !docHasta.trimmed().isEmpty())
        partes << QStringLiteral("Doc: ") + docDesde.trimmed() + QStringLiteral(" - ") + docHasta.trimmed();
    return partes.join(QStringLiteral("  "));
}

PantallaInforme::PantallaInforme(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador,
                                 const Configuracion& configuracion, QString archivoDiseno, QString nombreExportar,
                                 QString titulo)
    : PantallaLedger(sesion, interaccion, manejador, configuracion),
      archivoDiseno_(std::move(archivoDiseno)),
      nombreExportar_(std::move(nombreExportar)),
      titulo_(std::move(titulo)) {}

PantallaInforme::~PantallaInforme() = default;

QString PantallaInforme::rutaDiseno() const {
    return QDir(sesion_.directorio).filePath(kCarpetaDisenos + u'/' + archivoDiseno_);
}

QString PantallaInforme::nitCompania() {
    QString nit;
    if (!sesion_.general.isAttached() || sesion_.compania_actual.isEmpty()) return nit;
    proteger([&] {
        const auto c = sesion_.general.queryOne(QStringLiteral("select comp_nit from compania where comp_cod = ") +
                                                sql::texto(sesion_.compania_actual));
        if (c) nit = (*c)[0].toString().trimmed();
    });
    return nit;
}

reportes::Ejecucion PantallaInforme::ejecucion(const Pedido& p) {
    reportes::Ejecucion e;
    e.parametros = p.parametros;
    e.parametros.insert(QStringLiteral("nomcia"),
                        configuracion_.valor(QStringLiteral("GENERAL"), QStringLiteral("GENERAL"),
                                             QStringLiteral("NOMBRE COMPANIA")));
    e.parametros.insert(QStringLiteral("nitcia"), nitCompania());
    e.parametros.insert(QStringLiteral("titulo"), titulo_);
    e.parametros.insert(QStringLiteral("subtitulo"), p.subtitulo);
    e.parametros.insert(QStringLiteral("usuario"), sesion_.nombre_usuario);
    e.textos = p.textos;
    e.ocultas = p.ocultas;
    return e;
}

// One run: what the report's thread reads and lays out, and what it found.
// Shared by both threads; the screen's reads the results only after the
// other has ended, and the counters and flags while it runs.
struct PantallaInforme::Corrida {
    fb::Database db;
    fb::Canceller canceller;
    QString consulta;
    std::shared_ptr<const reportes::Diseno> diseno;  // keeps `informe` alive
    const reportes::Informe* informe = nullptr;      // none: rows only
    reportes::Ejecucion ejecucion;

    std::atomic<int> filas{0};
    std::atomic<int> paginas{0};
    std::atomic<bool> cancelado{false};
    std::atomic<bool> terminado{false};

    std::vector<fb::Column> columnas;
    std::unique_ptr<reportes::FilasTabla> tabla;
    std::optional<reportes::Paginado> paginado;
    QString errorPaginado;
    std::exception_ptr falla;

    void cancelar() {
        cancelado = true;
        canceller.cancel();
    }

    // On the report's thread.
    void correr() {
        try {
            db.resetCancel();
            fb::Transaction tr(db, {.readOnly = true});
            fb::Statement st(tr, consulta);
            if (!st.isSelect()) throw DataSetError(QStringLiteral("La sentencia no devuelve filas: %1").arg(consulta));
            columnas = st.columns();
            QStringList nombres;
            for (const fb::Column& c : columnas) nombres << c.name;
            tabla = std::make_unique<reportes::FilasTabla>(nombres);
            {
                fb::Cursor cursor = st.open();
                while (!cancelado && cursor.next()) {
                    tabla->agregar(cursor.row().values());
                    ++filas;
                }
            }
            if (cancelado) return;  // the transaction rolls back as it goes
            tr.commit();
            if (tabla->cuenta() == 0 || !informe) return;
            paginado = reportes::Paginado::preparar(*informe, *tabla, ejecucion, &errorPaginado, [this](int n) {
                paginas = n;
                return !cancelado;
            });
        } catch (...) {
            falla = std::current_exception();
        }
    }
};

void PantallaInforme::cancelar() {
    if (corrida_) corrida_->cancelar();
}

// The session's attachment for reports, or, when another run holds it or
// it was never opened, one of its own with the company's login.
bool PantallaInforme::tomarConexion(fb::Database& db) {
    if (sesion_.informes.isAttached()) {
        db = std::move(sesion_.informes);
        return true;
    }
    return proteger([&] { db = fb::Database::attach(sesion_.compania.params()); });
}

// Runs the report's thread and waits for it in an event loop of this
// thread, telling the progress; without an event loop (tools), it only
// waits.
void PantallaInforme::esperar(const std::shared_ptr<Corrida>& c) {
    QCoreApplication* app = QCoreApplication::instance();
    const bool conBucle = app && QThread::currentThread() == app->thread();
    QEventLoop bucle;
    std::thread hilo([c, conBucle, &bucle] {
        c->correr();
        c->terminado = true;
        if (conBucle) QMetaObject::invokeMethod(&bucle, &QEventLoop::quit, Qt::QueuedConnection);
    });
    if (conBucle) {
        QTimer reloj;
        QObject::connect(&reloj, &QTimer::timeout, &bucle, [this, c] {
            if (!avance_) return;
            const int paginas = c->paginas;
            avance_(paginas > 0 ? kPagina.arg(paginas) : kFilasLeidas.arg(int(c->filas)));
        });
        reloj.start(100);
        if (!c->terminado) bucle.exec();
        // The loop may end with the program: the thread is stopped, not waited on.
        if (!c->terminado) c->cancelar();
    }
    hilo.join();
}

bool PantallaInforme::generar() {
    if (corrida_) return false;  // one run at a time
    cancelado_ = false;
    // The waiting panel goes away however the run ends.
    struct Espera {
        const std::function<void(bool)>& f;
        explicit Espera(const std::function<void(bool)>& g) : f(g) {
            if (f) f(true);
        }
        ~Espera() {
            if (f) f(false);
        }
    };
    auto c = std::make_shared<Corrida>();
    QString errorDiseno;
    {
        Espera espera(salida_.espera);
        std::optional<Pedido> p = pedido();
        if (!p) return false;
        // The layout is read first and its fault told only when there are rows.
        if (auto d = reportes::Diseno::leerArchivo(rutaDiseno(), &errorDiseno)) {
            c->diseno = std::make_shared<reportes::Diseno>(std::move(*d));
            c->informe = c->diseno->informe(p->informe);
            if (!c->informe)
                errorDiseno = QStringLiteral("El diseño %1 no tiene el informe %2").arg(rutaDiseno(), p->informe);
        }
        c->consulta = p->consulta;
        c->ejecucion = ejecucion(*p);
        if (!tomarConexion(c->db)) return false;
        c->canceller = c->db.canceller();
        corrida_ = c;
        esperar(c);
        corrida_.reset();
        // Back for the next report, even a lost one: the message poll attaches it again.
        if (!sesion_.informes.isAttached()) sesion_.informes = std::move(c->db);
    }
    bool cancelado = c->cancelado;
    if (c->falla && !cancelado) {
        try {
            std::rethrow_exception(c->falla);
        } catch (const fb::DbError& e) {
            cancelado = e.isCancelled();
            if (!cancelado) manejador_.ManejarError(e);
        } catch (const std::exception& e) {
            manejador_.ManejarError(e);
        }
        if (!cancelado) return false;
    }
    if (cancelado) {
        // Nothing changes on the screen: no grid, no preview, no box.
        cancelado_ = true;
        if (BarraEstado* b = manejador_.barraEstado()) b->mostrar_texto(kCancelado);
        return false;
    }
    // The rows of the run to the grid (F4), whatever the layout does.
    std::vector<std::vector<fb::Value>> copia(size_t(c->tabla->cuenta()));
    const int columnas = int(c->columnas.size());
    for (int i = 0; i < c->tabla->cuenta(); ++i) {
        copia[size_t(i)].reserve(size_t(columnas));
        for (int j = 0; j < columnas; ++j) copia[size_t(i)].push_back(c->tabla->valor(i, j));
    }
    paginado_.reset();
    if (!proteger([&] { filas_.open(c->columnas, std::move(copia)); })) return false;
    if (filas_.recordCount() == 0) {
        interaccion_.informacion(kSinDatos);
        return false;
    }
    if (!c->informe) {
        interaccion_.error(errorDiseno);
        return false;
    }
    if (!c->paginado) {
        interaccion_.error(rutaDiseno() + QStringLiteral(": ") + c->errorPaginado);
        return false;
    }
    diseno_ = c->diseno;
    filasInforme_ = std::move(c->tabla);
    paginado_ = std::move(c->paginado);
    if (salida_.enviar) salida_.enviar(*paginado_, titulo_, nombreExportar_);
    return true;
}

}  // namespace cxp
