#include "diagnostics/log_tail.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace {

constexpr qint64 chunk_size = 64 * 1024;

} // namespace

Log_tail log_tail(const QString& path, long long count)
{
    Log_tail tail;
    const QFileInfo seen(path);
    if (!seen.exists()) {
        tail.reason = "no such file";
        return tail;
    }
    if (!seen.isFile()) {
        tail.reason = "not a regular file";
        return tail;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        tail.reason = file.errorString().toStdString();
        return tail;
    }
    tail.readable = true;

    // Backwards a chunk at a time, until the lines in hand are enough: the
    // first of them may be cut, so one line end more than the lines wanted.
    // The file's own last line end separates nothing.
    const qint64 size = file.size();
    QByteArray body;
    qint64 start = size;
    while (start > 0) {
        const qint64 length = std::min(chunk_size, start);
        if (!file.seek(start - length))
            break;
        const QByteArray chunk = file.read(length);
        if (chunk.size() != length)
            break;
        start -= length;
        body.prepend(chunk);
        const qsizetype separators = body.count('\n') - (body.endsWith('\n') ? 1 : 0);
        if (separators >= count)
            break;
    }
    if (body.endsWith('\n'))
        body.chop(1);
    if (body.isEmpty() && start == 0) {
        tail.whole = true;
        return tail;
    }

    qsizetype from = 0;
    qsizetype searched_to = body.size();
    bool reached_first = false;
    while (tail.lines < count) {
        const qsizetype line_end = searched_to > 0 ? body.lastIndexOf('\n', searched_to - 1) : -1;
        ++tail.lines;
        if (line_end < 0) {
            from = 0;
            reached_first = true;
            break;
        }
        from = line_end + 1;
        searched_to = line_end;
    }
    tail.whole = reached_first && start == 0;
    tail.text = body.mid(from).toStdString() + '\n';
    return tail;
}
