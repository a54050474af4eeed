#include "report/pdf_report.h"

#include "report/report_page.h"

#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>

namespace {
constexpr int resolution_dpi = 300;
}

bool write_pdf_report(QIODevice& device, const Survey_result& result, const Report_details& details)
{
    QPdfWriter writer(&device);
    writer.setResolution(resolution_dpi);
    writer.setPageLayout(report_page_layout());
    writer.setTitle(QString::fromUtf8(details.words(report_title).c_str()));
    writer.setCreator(QStringLiteral("kvr27dust32 ") + QString::fromStdString(result.tool_version));
    return draw_report(writer, result, details);
}
