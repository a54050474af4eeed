#include "report/report_page.h"

#include "report/history_page.h"
#include "report/page_style.h"
#include "survey/detector_band.h"
#include "survey/survey_summary.h"
#include "survey/texts.h"

#include <QColor>
#include <QFont>
#include <QMarginsF>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QRectF>

#include <algorithm>
#include <vector>

namespace {

constexpr double margin_mm = 15.0;
constexpr double title_points = 16.0;
constexpr double text_points = 10.0;
constexpr double table_points = 9.0;
constexpr double small_points = 7.0;
constexpr double tallest_row_mm = 6.5;
constexpr double cell_padding_mm = 1.5;
// The history's due list looks this far past the survey's day.
constexpr double days_ahead_due = 365;

QString utf8(const std::string& text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QColor bgr(std::uint32_t colour)
{
    return QColor(static_cast<int>(colour & 0xFFu), static_cast<int>((colour >> 8) & 0xFFu),
                  static_cast<int>((colour >> 16) & 0xFFu));
}

QString said(Translate words, const char* polish)
{
    return utf8(words(polish));
}

std::string dash_if_empty(const std::string& text)
{
    return text.empty() ? std::string("—") : text;
}

struct Column {
    const char* title;
    double share; // of the table's width
};

class Page_writer {
public:
    Page_writer(QPainter& target, const QRectF& page_area, Translate language)
        : painter(target), area(page_area), top(page_area.top()), words(language)
    {
        const double dpi = painter.device() != nullptr ? painter.device()->logicalDpiY() : 96;
        pixels_per_mm = dpi / millimetres_per_inch;
        base_font = QFont(QStringLiteral("DejaVu Sans"));
        base_font.setStyleHint(QFont::SansSerif);
    }

    double mm(double millimetres) const { return millimetres * pixels_per_mm; }

    QFont font(double points, bool bold = false) const
    {
        QFont chosen = base_font;
        chosen.setPointSizeF(points);
        chosen.setBold(bold);
        return chosen;
    }

    // Height a wrapped paragraph takes at the full width.
    double paragraph_height(const QString& text, const QFont& chosen) const
    {
        painter.setFont(chosen);
        return painter.boundingRect(QRectF(area.left(), 0, area.width(), area.height()), Qt::TextWordWrap, text)
            .height();
    }

    void paragraph(const QString& text, const QFont& chosen)
    {
        const double height = paragraph_height(text, chosen);
        painter.setPen(Qt::black);
        painter.drawText(QRectF(area.left(), top, area.width(), height), Qt::TextWordWrap, text);
        top += height;
    }

    void gap(double millimetres) { top += mm(millimetres); }
    double remaining() const { return area.bottom() - top; }

    void table(const std::vector<Column>& columns, const std::vector<std::vector<QString>>& rows,
               const std::vector<std::uint32_t>& level_fills, int level_column, double row_height)
    {
        const QFont title_font = font(table_points, true);
        const QFont cell_font = font(table_points);
        draw_row(columns, nullptr, title_font, row_height, title_row_colour, -1, 0);
        for (std::size_t index = 0; index < rows.size(); ++index)
            draw_row(columns, &rows[index], cell_font, row_height, QColor(), level_column, level_fills[index]);
    }

private:
    QPainter& painter;
    QRectF area;
    double top;
    Translate words;
    double pixels_per_mm = 1;
    QFont base_font;

    void draw_row(const std::vector<Column>& columns, const std::vector<QString>* cells, const QFont& chosen,
                  double height, const QColor& background, int level_column, std::uint32_t level_fill)
    {
        painter.setFont(chosen);
        double left = area.left();
        for (std::size_t index = 0; index < columns.size(); ++index) {
            const double width = area.width() * columns[index].share;
            const QRectF cell(left, top, width, height);
            QColor text_colour = Qt::black;
            if (static_cast<int>(index) == level_column) {
                painter.fillRect(cell, bgr(level_fill));
                text_colour = bgr(readable_text_colour(level_fill));
            } else if (background.isValid()) {
                painter.fillRect(cell, background);
            }
            painter.setPen(QPen(rule_colour, mm(rule_width_mm)));
            painter.drawRect(cell);
            painter.setPen(text_colour);
            const QString text = cells != nullptr ? (*cells)[index] : said(words, columns[index].title);
            // A long text (a location, a translated title) ends in "…"
            // inside its cell rather than running over the next one.
            const QRectF inside = cell.adjusted(mm(cell_padding_mm), 0, -mm(cell_padding_mm), 0);
            painter.drawText(inside, Qt::AlignLeft | Qt::AlignVCenter,
                             painter.fontMetrics().elidedText(text, Qt::ElideRight, static_cast<int>(inside.width())));
            left += width;
        }
        top += height;
    }
};

} // namespace

QPageLayout report_page_layout()
{
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                       QMarginsF(margin_mm, margin_mm, margin_mm, margin_mm), QPageLayout::Millimeter);
}

void paint_report_page(QPainter& painter, const QRectF& area, const Survey_result& result,
                       const Report_details& details)
{
    painter.save();
    const Translate words = details.words;
    Page_writer page(painter, area, words);
    page.paragraph(said(words, report_title), page.font(title_points, true));
    if (details.simulated_line)
        page.paragraph(said(words, simulated_report_mark), page.font(text_points, true));
    // Small: it is for finding the survey in a history, not for reading.
    if (!details.survey_id.empty())
        page.paragraph(
            utf8(fill(words(QT_TRANSLATE_NOOP("TForm_main", "Identyfikator badania: %1")), {details.survey_id})),
            page.font(small_points));
    page.gap(2);
    const QFont body = page.font(text_points);
    page.paragraph(utf8(fill(words(QT_TRANSLATE_NOOP("TForm_main", "Obiekt: %1")), {dash_if_empty(details.site)})),
                   body);
    page.paragraph(utf8(fill(words(QT_TRANSLATE_NOOP("TForm_main", "Linia: %1")), {dash_if_empty(details.line)})),
                   body);
    page.paragraph(
        utf8(fill(words(QT_TRANSLATE_NOOP("TForm_main", "Serwisant: %1")), {dash_if_empty(details.technician)})), body);
    page.paragraph(
        utf8(fill(words(QT_TRANSLATE_NOOP("TForm_main", "Data badania: %1")), {local_date_time_text(result.when)})),
        body);
    page.paragraph(utf8(fill(words(QT_TRANSLATE_NOOP("TForm_main", "Start linii: %1 · parametr CL: %2 · %3")),
                             {start_run_words(result.start_run, words), std::to_string(result.cl),
                              "kvr27dust32 " + result.tool_version})),
                   body);
    const std::optional<Survey_comparison>& comparison = details.comparison;
    if (comparison)
        page.paragraph(utf8(comparison_sentence(*comparison, words)), body);
    page.gap(gap_mm);

    std::vector<Column> columns = {{QT_TRANSLATE_NOOP("TForm_main", "adres"), 0.12},
                                   {QT_TRANSLATE_NOOP("TForm_main", "uwagi"), 0.18},
                                   {QT_TRANSLATE_NOOP("TForm_main", "zabrudzenie"), 0.2},
                                   {QT_TRANSLATE_NOOP("TForm_main", "pasmo"), 0.5}};
    if (comparison)
        columns = {
            {QT_TRANSLATE_NOOP("TForm_main", "adres"), 0.08},       {QT_TRANSLATE_NOOP("TForm_main", "uwagi"), 0.12},
            {QT_TRANSLATE_NOOP("TForm_main", "zabrudzenie"), 0.14}, {QT_TRANSLATE_NOOP("TForm_main", "pasmo"), 0.22},
            {QT_TRANSLATE_NOOP("TForm_main", "poprzednio"), 0.12},  {QT_TRANSLATE_NOOP("TForm_main", "zmiana"), 0.14},
            {QT_TRANSLATE_NOOP("TForm_main", "prognoza 61%"), 0.18}};
    // The location, only when some detector's is known, takes its share
    // from the band's wide column alone, so that the narrow ones keep their
    // captions whole; beside a comparison from every column alike.
    const bool locations_known = any_location(details);
    if (locations_known) {
        const double location_share = comparison ? 0.16 : 0.25;
        if (comparison)
            for (Column& column : columns)
                column.share *= 1.0 - location_share;
        else
            columns[3].share -= location_share;
        columns.push_back({QT_TRANSLATE_NOOP("TForm_main", "miejsce"), location_share});
    }
    std::vector<std::vector<QString>> rows;
    std::vector<std::uint32_t> fills;
    for (std::size_t address = 0; address < result.records.size(); ++address) {
        const KVR27_dust_data& record = result.records[address];
        std::vector<QString> cells = {QString::number(address),
                                      said(words, record.present ? text::present : text::absent),
                                      utf8(level_text(record, words)), said(words, band_words(band_of(record)))};
        if (comparison) {
            const Detector_change& change = comparison->detectors[address];
            cells.push_back(utf8(level_text(change.earlier, words)));
            cells.push_back(utf8(change_text(change, words)));
            cells.push_back(utf8(forecast_text(change, words)));
        }
        if (locations_known)
            cells.push_back(utf8(details.locations[address]));
        rows.push_back(cells);
        fills.push_back(record.colour);
    }

    const QString summary = utf8(summary_sentence(result, words));
    const QString to_clean = utf8(to_clean_sentence(result, words));
    const double below_table =
        page.mm(gap_mm) + page.paragraph_height(summary, body) + page.mm(1) + page.paragraph_height(to_clean, body);
    const double row_height =
        std::min(page.mm(tallest_row_mm), (page.remaining() - below_table) / static_cast<double>(rows.size() + 1));
    page.table(columns, rows, fills, 2, row_height);
    page.gap(gap_mm);
    page.paragraph(summary, body);
    page.gap(1);
    page.paragraph(to_clean, body);
    painter.restore();
}

bool draw_report(QPagedPaintDevice& device, const Survey_result& result, const Report_details& details)
{
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    const QRectF area(0, 0, device.width(), device.height());
    paint_report_page(painter, area, result, details);
    bool whole = true;
    if (!details.history.empty())
        whole = paint_history_pages(painter, device, area, details.history,
                                    day_of(result.when.utc_seconds) + days_ahead_due, details.words,
                                    details.simulated_line);
    return painter.end() && whole;
}
