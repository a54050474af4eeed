#include "diagnostics/diagnostics_file.h"

#include "diagnostics/log_tail.h"
#include "diagnostics/tool_settings.h"
#include "hid/hid_device_list.h"
#include "log/diagnostic_log.h"
#include "platform/device_access.h"
#include "report/report_file.h"
#include "survey/tool_version.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QSysInfo>

#include <sstream>

namespace {

// Parts of a setting's name that mark its value as not for other eyes: an
// access code, a password, a token.
constexpr const char* secret_name_parts[] = {"code", "kod", "pass", "hasl", "hasło", "secret", "token"};

bool secret(const QString& key)
{
    const QString name = key.toLower();
    for (const char* part : secret_name_parts)
        if (name.contains(QString::fromUtf8(part)))
            return true;
    return false;
}

// A list (the settings file holds some as lists) shows its items.
std::string shown(const QVariant& value)
{
    if (value.typeId() == QMetaType::QStringList || value.typeId() == QMetaType::QVariantList)
        return value.toStringList().join(QStringLiteral(", ")).toStdString();
    return value.toString().toStdString();
}

std::string native(const QString& path)
{
    return QDir::toNativeSeparators(path).toStdString();
}

std::string compiler()
{
#if defined(__clang__)
    return std::string("clang ") + __clang_version__;
#elif defined(__GNUC__)
    return std::string("GCC ") + __VERSION__;
#elif defined(_MSC_VER)
    return "MSVC " + std::to_string(_MSC_VER);
#else
    return "unknown";
#endif
}

// A build tree configured without a build type says so rather than nothing.
std::string build_type()
{
    const std::string named = KVR27_BUILD_TYPE;
    return named.empty() ? std::string("no build type") : named;
}

void heading(std::ostringstream& out, const char* title)
{
    out << "\n== " << title << " ==\n";
}

void tool_section(std::ostringstream& out, const Diagnostics_inputs& inputs)
{
    heading(out, "Tool");
    out << "Version: " << tool_version << '\n';
    out << "Program: " << native(QCoreApplication::applicationFilePath()) << '\n';
    out << "Build: " << build_type() << ", " << compiler() << ", Qt " << QT_VERSION_STR << ", "
        << QSysInfo::buildAbi().toStdString() << '\n';
    out << "Language: " << (inputs.language == Language::english ? "en (English)" : "pl (Polish)") << '\n';
}

void system_section(std::ostringstream& out)
{
    heading(out, "System");
    out << "System: " << QSysInfo::prettyProductName().toStdString() << '\n';
    out << "Kernel: " << QSysInfo::kernelType().toStdString() << ' ' << QSysInfo::kernelVersion().toStdString() << '\n';
    out << "Architecture: " << QSysInfo::currentCpuArchitecture().toStdString() << '\n';
    out << "Qt: " << QLibraryInfo::build() << "\n";
    out << "Locale: " << QLocale::system().name().toStdString() << '\n';
    out << "Current folder: " << native(QDir::currentPath()) << '\n';
}

void devices_section(std::ostringstream& out)
{
    heading(out, "HID devices");
    const std::optional<std::vector<Listed_hid_device>> devices = list_hid_devices();
    if (!devices) {
        out << "The system's list of HID devices could not be had.\n";
        return;
    }
    if (devices->empty())
        out << "None listed.\n";
    for (const Listed_hid_device& device : *devices) {
        const std::string ids = vendor_product_of(device.hardware_id);
        out << "- " << (ids.empty() ? std::string("?:?") : ids) << "  "
            << (device.hardware_id.empty() ? std::string("(no hardware ID)") : device.hardware_id) << '\n';
        out << "  path: " << (device.path.empty() ? std::string("(none)") : device.path) << '\n';
        out << "  open: " << open_result_text(device.open_error) << '\n';
    }
}

void permission_rule_section(std::ostringstream& out)
{
    const std::vector<Access_rule_place> places = access_rule_places();
    if (places.empty())
        return;
    heading(out, "Permission rule");
    for (const Access_rule_place& place : places)
        out << place.path << ": " << (place.present ? "present" : "absent") << '\n';
}

void settings_section(std::ostringstream& out)
{
    heading(out, "Settings");
    QSettings settings = tool_settings();
    out << "Stored in: " << native(settings.fileName()) << '\n';
    const QStringList keys = settings.allKeys();
    if (keys.isEmpty())
        out << "None set.\n";
    for (const QString& key : keys) {
        out << key.toStdString() << " = ";
        if (secret(key))
            out << "(left out)\n";
        else
            out << shown(settings.value(key)) << '\n';
    }
}

void file_size_line(std::ostringstream& out, const char* label, const QString& path)
{
    const QFileInfo file(path);
    out << label << native(path) << ": ";
    if (!file.exists())
        out << "not there\n";
    else
        out << file.size() << " bytes, changed " << file.lastModified().toString(Qt::ISODate).toStdString() << '\n';
}

void history_section(std::ostringstream& out, const Diagnostics_inputs& inputs)
{
    heading(out, "History store");
    if (inputs.history_path.isEmpty()) {
        out << "None in use.\n";
        return;
    }
    const QString absolute = QFileInfo(inputs.history_path).absoluteFilePath();
    file_size_line(out, "Store ", absolute);
    if (QFileInfo::exists(absolute + QStringLiteral("-wal")))
        file_size_line(out, "Write-ahead log ", absolute + QStringLiteral("-wal"));
}

void log_section(std::ostringstream& out, const Diagnostics_inputs& inputs)
{
    heading(out, "Diagnostic log");
    const QString absolute = QFileInfo(inputs.log_path).absoluteFilePath();
    out << "File: " << native(absolute) << '\n';
    const Log_tail tail = log_tail(absolute, log_lines_kept);
    if (!tail.readable) {
        out << "Not read: " << tail.reason << '\n';
        return;
    }
    out << (tail.whole ? "The whole log, " : "Its last ") << tail.lines << " lines:\n";
    out << tail.text;
}

} // namespace

QString current_log_path()
{
    return QDir::current().absoluteFilePath(QString::fromUtf8(diagnostic_log_name));
}

std::string diagnostics_text(const Diagnostics_inputs& inputs)
{
    std::ostringstream out;
    out << "kvr27dust32 diagnostics, written " << QDateTime::currentDateTime().toString(Qt::ISODate).toStdString()
        << '\n';
    tool_section(out, inputs);
    system_section(out);
    devices_section(out);
    permission_rule_section(out);
    settings_section(out);
    history_section(out, inputs);
    log_section(out, inputs);
    return out.str();
}

bool write_diagnostics_file(const QString& path, const Diagnostics_inputs& inputs, std::string& error, Translate words)
{
    return write_whole_file(path, QByteArray::fromStdString(diagnostics_text(inputs)), error, words);
}
