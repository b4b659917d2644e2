// The pile in its soil in a window of its own.
#include "app/qt/soil_drawing_dialog.h"

#include <QBuffer>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>
#include <string_view>

#include "app/qt/qt_platform.h"
#include "books/text_file.h"
#include "documents/soil_drawing.h"

namespace pile {

SoilDrawingWidget::SoilDrawingWidget(QWidget* parent) : QWidget(parent) {
    setMinimumSize(240, 180);
    setAutoFillBackground(false);
}

void SoilDrawingWidget::setFigure(const BookSoilFigure& figure) {
    m_figure = figure;
    update();
}

void SoilDrawingWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    // The frame keeps the PNG's proportions, centred in the widget.
    const double aspect = double(SoilDrawingDialog::kPngWidth) / SoilDrawingDialog::kPngHeight;
    QRectF frame = QRectF(rect()).adjusted(4, 4, -4, -4);
    if (frame.width() > frame.height() * aspect) {
        const double w = frame.height() * aspect;
        frame.adjust((frame.width() - w) / 2, 0, -(frame.width() - w) / 2, 0);
    } else {
        const double h = frame.width() / aspect;
        frame.adjust(0, (frame.height() - h) / 2, 0, -(frame.height() - h) / 2);
    }
    if (frame.width() > 1 && frame.height() > 1)
        documents::drawPileInSoil(painter, frame, m_figure);
}

SoilDrawingDialog::SoilDrawingDialog(Dispatch dispatch, QWidget* parent)
    : QDialog(parent), m_dispatch(std::move(dispatch)) {
    setWindowTitle(QStringLiteral("桩身与土层及负摩阻力分布"));
    resize(640, 500);
    drawing = new SoilDrawingWidget(this);
    cbt_ExportPng = new QPushButton(QStringLiteral("导出 PNG…"), this);
    cbt_Close = new QPushButton(QStringLiteral("关闭"), this);
    lb_Message = new QLabel(this);
    lb_Message->setStyleSheet(QStringLiteral("color: #C00000;"));
    lb_Message->setWordWrap(true);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(lb_Message, 1);
    buttons->addWidget(cbt_ExportPng);
    buttons->addWidget(cbt_Close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(drawing, 1);
    layout->addLayout(buttons);
    m_choose = [this](const QString& suggested) {
        return QFileDialog::getSaveFileName(this, QString(), suggested,
                                            QStringLiteral("PNG 图像 (*.png)"));
    };
    connect(cbt_ExportPng, &QPushButton::clicked, this, [this] { exportPng(); });
    connect(cbt_Close, &QPushButton::clicked, this, &QDialog::accept);
}

void SoilDrawingDialog::setFigure(const BookSoilFigure& figure) {
    m_figure = figure;
    drawing->setFigure(figure);
}

void SoilDrawingDialog::setMessage(const QString& message) {
    lb_Message->setText(message);
    cbt_ExportPng->setEnabled(message.isEmpty());
}

void SoilDrawingDialog::exportPng() {
    m_savedPath.clear();
    const std::filesystem::path folder = QtDocumentsFolder().documentsPath();
    const QString suggested = QString::fromStdU16String(
        (folder / pathFromUtf8("桩身与土层及负摩阻力分布.png")).u16string());
    const QString chosen = m_choose(suggested);
    if (chosen.isEmpty()) return;
    m_dispatch([&] {
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        documents::soilDrawingImage(m_figure, kPngWidth, kPngHeight).save(&buffer, "PNG");
        const std::filesystem::path path(chosen.toStdU16String());
        TextFileWriter file(path);
        file.writeBytes(std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())));
        file.commit();
        m_savedPath = path;
    });
}

}  // namespace pile
