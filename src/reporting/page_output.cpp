#include "reporting/page_output.h"

#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

#include <algorithm>
#include <cstdio>

#include "platform/text.h"

namespace bb {

namespace {

bool fail(std::string* error, std::string text) {
    if (error) *error = std::move(text);
    return false;
}

QPageLayout pageLayoutOf(const PageSetup& setup) {
    const bool landscape = setup.width > setup.height;
    const Mils shortSide = std::min(setup.width, setup.height);
    const Mils longSide = std::max(setup.width, setup.height);
    const QPageSize size(QSizeF(shortSide / double(kInch), longSide / double(kInch)),
                         QPageSize::Inch, QString(), QPageSize::FuzzyMatch);
    return QPageLayout(size, landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                       QMarginsF());
}

}  // namespace

bool paintPages(const PageStore& pages, QPagedPaintDevice& device, std::string* error, int from,
                int to) {
    if (to <= 0 || to > pages.Count()) to = pages.Count();
    from = std::max(from, 1);
    device.setPageLayout(pageLayoutOf(pages.setup));
    QPainter painter;
    if (!painter.begin(&device)) return fail(error, "The pages could not be sent to the device.");
    const FontSet fonts(pages.setup.fonts);
    const qreal sx = device.logicalDpiX() / double(kInch);
    const qreal sy = device.logicalDpiY() / double(kInch);
    for (int n = from; n <= to; ++n) {
        const std::optional<Page> page = pages.Load(n);
        if (!page) {
            painter.end();
            return fail(error, pages.LastError());
        }
        if (n > from) device.newPage();
        painter.save();
        painter.scale(sx, sy);
        paintPage(painter, *page, fonts);
        painter.restore();
    }
    return painter.end() || fail(error, "The pages could not be finished on the device.");
}

bool printPages(const PageStore& pages, QPrinter& printer, std::string* error) {
    printer.setDocName(QString::fromStdString(pages.setup.title));
    printer.setFullPage(true);  // positions from the paper's corner, not the printable area's
    const bool range = printer.printRange() == QPrinter::PageRange;
    return paintPages(pages, printer, error, range ? printer.fromPage() : 1,
                      range ? printer.toPage() : 0);
}

bool writePdf(const PageStore& pages, const std::string& path, std::string* error) {
    QSaveFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::WriteOnly))
        return fail(error, "The file " + path +
                               " could not be written: " + file.errorString().toStdString() + ".");
    {
        QPdfWriter pdf(&file);
        pdf.setTitle(QString::fromStdString(pages.setup.title));
        pdf.setCreator("Brokerbook");
        pdf.setResolution(1200);
        if (!paintPages(pages, pdf, error)) return false;  // the old file stays as it was
    }
    if (!file.commit())
        return fail(error, "The file " + path +
                               " could not be written: " + file.errorString().toStdString() + ".");
    return true;
}

std::string pdfFileName(std::string_view title, DayNumber date) {
    std::string name(text::trim(title));
    if (name.empty()) name = "Report";
    for (char& c : name) {
        if (std::string_view("/\\:*?\"<>|").find(c) != std::string_view::npos ||
            static_cast<unsigned char>(c) < 32)
            c = '-';
    }
    const CalendarDate d = calendarDate(date);
    char stamp[16];
    std::snprintf(stamp, sizeof stamp, " %04d-%02d-%02d", d.year, d.month, d.day);
    return name + (d.year > 0 ? stamp : "") + ".pdf";
}

}  // namespace bb
