#include "report/history_page.h"

#include "history/history_texts.h"
#include "report/history_plot.h"
#include "report/page_style.h"
#include "report/report_page.h"
#include "survey/detector_band.h"

#include <QColor>
#include <QFont>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QRectF>

#include <algorithm>

namespace {

constexpr double title_points = 14.0;
constexpr double heading_points = 11.0;
constexpr double table_points = 8.5;
constexpr double caption_points = 8.0;
constexpr double plot_points = 6.5;
constexpr double row_mm = 5.5;
constexpr double plot_mm = 62.0; // a plot's cell, its caption included
constexpr int plots_across = 2;
constexpr double cell_padding_mm = 1.2;

QString utf8(const std::string& text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

struct Column {
    const char* title;
    double share; // of the table's width
};

const Column due_columns[] = {{QT_TRANSLATE_NOOP("TForm_main", "linia"), 0.09},
                              {QT_TRANSLATE_NOOP("TForm_main", "adres"), 0.07},
                              {QT_TRANSLATE_NOOP("TForm_main", "lokalizacja"), 0.19},
                              {QT_TRANSLATE_NOOP("TForm_main", "poziom"), 0.09},
                              {QT_TRANSLATE_NOOP("TForm_main", "prognoza 61% (przedział 95%)"), 0.31},
                              {QT_TRANSLATE_NOOP("TForm_main", "powód"), 0.25}};

// Writes down the page and goes on to a new one where the next part does
// not fit.
class History_pages {
public:
    History_pages(QPainter& target, QPagedPaintDevice& paged, const QRectF& page_area)
        : painter(target), device(paged), area(page_area), top(page_area.top())
    {
        pixels_per_mm = device.logicalDpiY() / millimetres_per_inch;
        base_font = QFont(QStringLiteral("DejaVu Sans"));
        base_font.setStyleHint(QFont::SansSerif);
    }

    QPainter& painter;
    QPagedPaintDevice& device;
    QRectF area;
    double top;
    double pixels_per_mm = 1;
    QFont base_font;
    bool whole = true;
    // Atop every page, when there is one: the demo program's mark.
    QString page_mark;

    double mm(double millimetres) const { return millimetres * pixels_per_mm; }

    QFont font(double points, bool bold = false) const
    {
        QFont chosen = base_font;
        chosen.setPointSizeF(points);
        chosen.setBold(bold);
        return chosen;
    }

    void new_page()
    {
        whole = device.newPage() && whole;
        top = area.top();
        if (!page_mark.isEmpty()) {
            painter.setFont(font(caption_points, true));
            painter.setPen(Qt::black);
            const QRectF needed = painter.boundingRect(QRectF(area.left(), top, area.width(), area.height()),
                                                       Qt::TextWordWrap, page_mark);
            painter.drawText(needed, Qt::TextWordWrap, page_mark);
            top += needed.height() + mm(1.5);
        }
    }

    // A new page unless `height` fits below what is written.
    void make_room(double height)
    {
        if (top + height > area.bottom() && top > area.top())
            new_page();
    }

    void paragraph(const QString& text, const QFont& chosen)
    {
        painter.setFont(chosen);
        const QRectF needed =
            painter.boundingRect(QRectF(area.left(), 0, area.width(), area.height()), Qt::TextWordWrap, text);
        make_room(needed.height());
        painter.setPen(Qt::black);
        painter.drawText(QRectF(area.left(), top, area.width(), needed.height()), Qt::TextWordWrap, text);
        top += needed.height();
    }

    // A row as tall as its longest cell wrapped.
    void row(const std::vector<QString>& cells, bool title)
    {
        painter.setFont(font(table_points, title));
        const double padding = mm(cell_padding_mm);
        double height = mm(row_mm);
        for (std::size_t index = 0; index < std::size(due_columns); ++index) {
            const double width = area.width() * due_columns[index].share - 2 * padding;
            height = std::max(
                height,
                painter.boundingRect(QRectF(0, 0, width, area.height()), Qt::TextWordWrap, cells[index]).height() +
                    padding);
        }
        make_room(height);
        double left = area.left();
        for (std::size_t index = 0; index < std::size(due_columns); ++index) {
            const QRectF cell(left, top, area.width() * due_columns[index].share, height);
            if (title)
                painter.fillRect(cell, title_row_colour);
            painter.setPen(QPen(rule_colour, mm(rule_width_mm)));
            painter.drawRect(cell);
            painter.setPen(Qt::black);
            painter.drawText(cell.adjusted(padding, 0, -padding, 0),
                             Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap, cells[index]);
            left += cell.width();
        }
        top += height;
    }

    // The markers' meaning, on one line.
    void legend(Translate words)
    {
        const QFont chosen = font(table_points);
        painter.setFont(chosen);
        const double height = painter.fontMetrics().height();
        make_room(height);
        double left = area.left() + height / 2;
        const struct {
            int level;
            Band band;
        } shown[] = {{20, Band::clean}, {45, Band::medium}, {80, Band::needs_cleaning}};
        for (const auto& [level, band] : shown) {
            paint_level_marker(painter, QPointF(left, top + height / 2), height / 3, level);
            const QString text = utf8(words(band_words(band)));
            const QRectF place(left + height * 0.7, top, area.width(), height);
            painter.setPen(Qt::black);
            painter.setFont(chosen);
            painter.drawText(place, Qt::AlignLeft | Qt::AlignVCenter, text);
            left += height * 0.7 + painter.boundingRect(place, Qt::AlignLeft, text).width() + mm(6);
        }
        top += height;
    }
};

std::string where_text(const std::string& line, int address, const std::string& location, Translate words)
{
    std::string text = fill(words(QT_TRANSLATE_NOOP("TForm_main", "%1, adres %2")), {line, std::to_string(address)});
    if (!location.empty())
        text += " · " + location;
    return text;
}

} // namespace

bool paint_history_pages(QPainter& painter, QPagedPaintDevice& device, const QRectF& area,
                         const std::vector<Line_history>& lines, double due_day, Translate words, bool simulated_line)
{
    painter.save();
    History_pages pages(painter, device, area);
    if (simulated_line)
        pages.page_mark = utf8(words(simulated_report_mark));
    pages.new_page();
    pages.paragraph(utf8(fill(words(QT_TRANSLATE_NOOP("TForm_main", "Historia obiektu %1")), {lines.front().site})),
                    pages.font(title_points, true));
    pages.top += pages.mm(gap_mm);

    pages.paragraph(
        utf8(fill(words(QT_TRANSLATE_NOOP("TForm_main", "Do czyszczenia przed %1")), {trend_date_text(due_day)})),
        pages.font(heading_points, true));
    pages.top += pages.mm(1.5);
    const std::vector<Due_detector> due = due_before(lines, due_day);
    if (due.empty()) {
        pages.paragraph(
            utf8(words(QT_TRANSLATE_NOOP("TForm_main", "Żadna czujka nie jest do czyszczenia przed tym dniem."))),
            pages.font(table_points + 1));
    } else {
        std::vector<QString> titles;
        for (const Column& column : due_columns)
            titles.push_back(utf8(words(column.title)));
        pages.row(titles, true);
        for (const Due_detector& detector : due)
            pages.row({utf8(detector.line), QString::number(detector.address), utf8(detector.location),
                       detector.level ? QString::number(*detector.level) + QLatin1Char('%') : QString(),
                       utf8(trend_forecast_text(detector.trend, words)), utf8(due_reason_text(detector.why, words))},
                      false);
    }
    pages.top += pages.mm(gap_mm * 1.5);

    std::vector<std::pair<const Line_history*, const Detector_history*>> plotted;
    for (const Line_history& line : lines)
        for (const Detector_history& detector : line.detectors)
            if (detector.trend.verdict != Trend::Verdict::too_few_points)
                plotted.emplace_back(&line, &detector);
    if (!plotted.empty()) {
        pages.paragraph(utf8(words(QT_TRANSLATE_NOOP("TForm_main", "Poziomy czujek od pierwszego badania"))),
                        pages.font(heading_points, true));
        pages.top += pages.mm(1);
        pages.legend(words);
        pages.top += pages.mm(2);
    }
    const double cell_width = area.width() / plots_across;
    const double cell_height = pages.mm(plot_mm);
    const QFont caption_font = pages.font(caption_points, true);
    const QFont detail_font = pages.font(caption_points);
    for (std::size_t index = 0; index < plotted.size(); ++index) {
        const std::size_t column = index % plots_across;
        if (column == 0)
            pages.make_room(cell_height);
        const auto [line, detector] = plotted[index];
        const QRectF cell(area.left() + cell_width * static_cast<double>(column), pages.top, cell_width, cell_height);
        const QRectF inner = cell.adjusted(0, 0, -pages.mm(gap_mm), -pages.mm(gap_mm));
        painter.setPen(Qt::black);
        painter.setFont(caption_font);
        const double caption_height = painter.fontMetrics().height();
        painter.drawText(QRectF(inner.left(), inner.top(), inner.width(), caption_height), Qt::AlignLeft,
                         painter.fontMetrics().elidedText(
                             utf8(where_text(line->line, detector->address, detector->location.location, words)),
                             Qt::ElideRight, static_cast<int>(inner.width())));
        painter.setFont(detail_font);
        const double detail_height = painter.fontMetrics().height();
        std::string detail = rate_text(detector->trend, words) + " · " + trend_forecast_text(detector->trend, words);
        if (const std::string last = action_text(detector->last_action(), words); !last.empty())
            detail += " · " + last;
        painter.drawText(
            QRectF(inner.left(), inner.top() + caption_height, inner.width(), detail_height), Qt::AlignLeft,
            painter.fontMetrics().elidedText(utf8(detail), Qt::ElideRight, static_cast<int>(inner.width())));
        painter.setFont(pages.font(plot_points));
        paint_history_plot(painter, inner.adjusted(0, caption_height + detail_height + pages.mm(1), 0, 0), *detector,
                           words);
        if (column == plots_across - 1 || index + 1 == plotted.size())
            pages.top += cell_height;
    }
    painter.restore();
    return pages.whole;
}
