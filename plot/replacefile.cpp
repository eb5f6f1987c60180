#include "replacefile.h"

#include <QSaveFile>

namespace qrv {

namespace {

bool fail(QString* error, const QString& why)
{
    if (error)
        *error = why;
    return false;
}

} // namespace

bool replaceFile(const QString& path, const QByteArray& bytes, QString* error)
{
    QSaveFile file(path);
    // Unbuffered, so that a short write (a full disk) is seen here: a buffered one can get
    // lost in the flush and commit() would then put a truncated file in place of the old one.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return fail(error, file.errorString());
    for (qint64 done = 0; done < bytes.size();) {
        const qint64 written = file.write(bytes.constData() + done, bytes.size() - done);
        if (written <= 0) {
            const QString why = file.error() != QFileDevice::NoError
                                    ? file.errorString()
                                    : QStringLiteral("the disk took only %1 of %2 bytes").arg(done).arg(bytes.size());
            file.cancelWriting();
            return fail(error, why);
        }
        done += written;
    }
    if (!file.commit())
        return fail(error, file.errorString());
    return true;
}

} // namespace qrv
