#include "reportjsondata.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonValue>

namespace Report {

namespace {

// Texts stay texts; numbers and booleans print as JSON writes them.
bool ToText(const QJsonValue &value, QString *text)
{
    switch (value.type()) {
    case QJsonValue::String:
        *text = value.toString();
        return true;
    case QJsonValue::Double:
        *text = QString::number(value.toDouble(), 'g', 15);
        return true;
    case QJsonValue::Bool:
        *text = value.toBool() ? QStringLiteral("true") : QStringLiteral("false");
        return true;
    case QJsonValue::Null:
        text->clear();
        return true;
    default:
        return false;
    }
}

bool CheckTexts(const QJsonObject &object, QString *badKey)
{
    QString ignored;
    for (auto it = object.begin(); it != object.end(); ++it) {
        if (!ToText(it.value(), &ignored)) {
            *badKey = it.key();
            return false;
        }
    }
    return true;
}

} // namespace

bool JsonData::Fail(const QString &error)
{
    m_error = error;
    m_parameters = QJsonObject();
    m_rows.clear();
    m_images.clear();
    return false;
}

bool JsonData::Load(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Fail(QStringLiteral("cannot open %1: %2").arg(path, file.errorString()));
    return Parse(file.readAll(), QFileInfo(path).absolutePath());
}

bool JsonData::Parse(const QByteArray &json, const QString &baseDir)
{
    m_error.clear();
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(json, &parseError);
    if (parseError.error != QJsonParseError::NoError)
        return Fail(QStringLiteral("not valid JSON at offset %1: %2")
                        .arg(parseError.offset)
                        .arg(parseError.errorString()));
    if (!document.isObject())
        return Fail(QStringLiteral("the data must be a JSON object"));
    const QJsonObject root = document.object();

    const QJsonValue parameters = root.value(QLatin1String("parameters"));
    if (!parameters.isUndefined() && !parameters.isObject())
        return Fail(QStringLiteral("\"parameters\" must be an object"));
    QString badKey;
    if (!CheckTexts(parameters.toObject(), &badKey))
        return Fail(QStringLiteral("parameter \"%1\" must be a text or a number").arg(badKey));

    const QJsonValue rows = root.value(QLatin1String("rows"));
    if (!rows.isUndefined() && !rows.isArray())
        return Fail(QStringLiteral("\"rows\" must be a list of objects"));
    QVector<QJsonObject> rowObjects;
    const QJsonArray rowArray = rows.toArray();
    for (int i = 0; i < rowArray.size(); ++i) {
        if (!rowArray.at(i).isObject())
            return Fail(QStringLiteral("row %1 is not an object").arg(i + 1));
        if (!CheckTexts(rowArray.at(i).toObject(), &badKey))
            return Fail(QStringLiteral("row %1: \"%2\" must be a text or a number").arg(i + 1).arg(badKey));
        rowObjects.append(rowArray.at(i).toObject());
    }

    const QJsonValue images = root.value(QLatin1String("images"));
    if (!images.isUndefined() && !images.isObject())
        return Fail(QStringLiteral("\"images\" must be an object"));
    QHash<QString, QImage> loaded;
    const QJsonObject imageObject = images.toObject();
    for (auto it = imageObject.begin(); it != imageObject.end(); ++it) {
        if (!it.value().isString())
            return Fail(QStringLiteral("image \"%1\" must name a file").arg(it.key()));
        const QString path = QDir(baseDir).absoluteFilePath(it.value().toString());
        QImageReader reader(path);
        const QImage image = reader.read();
        if (image.isNull())
            return Fail(QStringLiteral("image \"%1\": cannot read %2: %3")
                            .arg(it.key(), path, reader.errorString()));
        loaded.insert(it.key(), image);
    }

    m_parameters = parameters.toObject();
    m_rows = rowObjects;
    m_images = loaded;
    return true;
}

QString JsonData::Value(int recNo, const QString &name, int /*reportPage*/)
{
    QString text;
    if (recNo >= 0 && recNo < m_rows.size()) {
        const QJsonObject &row = m_rows.at(recNo);
        const auto it = row.constFind(name);
        if (it != row.constEnd() && ToText(it.value(), &text))
            return text;
    }
    const auto it = m_parameters.constFind(name);
    if (it != m_parameters.constEnd() && ToText(it.value(), &text))
        return text;
    return QString();
}

bool JsonData::Image(int /*recNo*/, const QString &name, int /*reportPage*/, QImage *image)
{
    const auto it = m_images.constFind(name);
    if (it == m_images.constEnd())
        return false;
    *image = *it;
    return true;
}

} // namespace Report
