#pragma once
// What every report screen does on F2: the waiting panel, the query of its
// options, "No hay datos para el reporte." when it brings nothing, and
// otherwise the installation's layout file with the report its options
// name, the bands its grouping shows, the parameters of every layout
// ("nomcia", "nitcia", "titulo", "subtitulo", "usuario") and the output
// the person chooses. The rows stay in the screen's grid for F4.
//
// The query and the layout into pages run on a thread of their own, over
// the session's attachment kept for reports (Sesion::informes), while the
// screen's thread goes on with the waiting panel: rows read, then pages
// laid out, and "Cancelar". A cancel stops the statement on the server (or
// the layout) and leaves the screen as it was, with "Informe cancelado."
// and no error box. Fetching in slices on the screen's thread would not
// do: a sorted query brings its first row only after the server has read
// everything, and an attachment serves one thread at a time.
#include "ledger/PantallaLedger.h"
#include "printing/reportes/Paginado.h"

#include <QHash>
#include <QSet>
#include <memory>
#include <optional>

namespace cxp {

// The subtitle of a report from its ranges: "Fechas: 2026/01/01 - 2026/01/31",
// "Fecha: 2026/01/31" (a cut-off), "Doc: 000010 - 000020"; parts apart
// by two spaces, missing ones left out.
QString compone_titulo(QDate desde, QDate hasta, const QString& docDesde = {}, const QString& docHasta = {});

class PantallaInforme : public PantallaLedger {
    Q_OBJECT
public:
    inline static const QString kEspera = QStringLiteral("Generando informe. espere un momento...");
    inline static const QString kSinDatos = QStringLiteral("No hay datos para el reporte.");
    inline static const QString kCancelado = QStringLiteral("Informe cancelado.");
    inline static const QString kFilasLeidas = QStringLiteral("Filas leídas: %L1");
    inline static const QString kPagina = QStringLiteral("Página %1");
    // The layout paths ("reportes/repomovprove.xml") are below this folder
    // of the installation directory.
    inline static const QString kCarpetaDisenos = QStringLiteral("cxpagar");

    struct Salida {
        std::function<void(bool)> espera;  // the waiting panel shown or hidden
        // The laid-out report to the output dialog; `archivo` the file name offered.
        std::function<void(const reportes::Paginado&, const QString& titulo, const QString& archivo)> enviar;
    };

    PantallaInforme(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador,
                    const Configuracion& configuracion, QString archivoDiseno, QString nombreExportar,
                    QString titulo);
    ~PantallaInforme() override;

    DataSet& filas() { return filas_; }
    const QString& nombreExportar() const { return nombreExportar_; }
    const QString& titulo() const { return titulo_; }
    void setTitulo(const QString& t) { titulo_ = t; }
    void setSalida(Salida s) { salida_ = std::move(s); }
    // Told what the run is doing (kFilasLeidas, kPagina), a few times a second.
    void setAvance(std::function<void(const QString&)> avance) { avance_ = std::move(avance); }
    void setMoneda(int codigo) { cambiarMoneda(codigo); }

    // F2. False when nothing was printed (refused, no rows, a fault told,
    // cancelled). Returns when the run ends; the screen's events go on
    // meanwhile.
    bool generar();
    // Stops the run under way; generar() then returns false and cancelado()
    // is true. Nothing when no run is under way.
    void cancelar();
    bool enCurso() const { return bool(corrida_); }
    bool cancelado() const { return cancelado_; }
    // The last report laid out, for checks.
    const reportes::Paginado* ultimo() const { return paginado_ ? &*paginado_ : nullptr; }
    QString rutaDiseno() const;

protected:
    struct Pedido {
        QString consulta;
        QString informe;  // the named report of the layout file
        QSet<QString> ocultas;
        QHash<QString, QString> textos;
        QHash<QString, QString> parametros;  // besides the common ones
        QString subtitulo;
    };
    // The query and report of the options; nullopt after telling why not.
    virtual std::optional<Pedido> pedido() = 0;
    // The parameters, texts and bands of a run of `p`, the common ones included.
    reportes::Ejecucion ejecucion(const Pedido& p);

private:
    struct Corrida;
    QString nitCompania();
    bool tomarConexion(fb::Database& db);
    void esperar(const std::shared_ptr<Corrida>& corrida);

    DataSet filas_;
    QString archivoDiseno_;
    QString nombreExportar_;
    QString titulo_;
    Salida salida_;
    std::function<void(const QString&)> avance_;
    std::shared_ptr<const reportes::Diseno> diseno_;
    std::unique_ptr<reportes::FilasTabla> filasInforme_;
    std::shared_ptr<Corrida> corrida_;
    bool cancelado_ = false;
    std::optional<reportes::Paginado> paginado_;
};

}  // namespace cxp
