#pragma once

#include "reportrenderer.h"

#include <QHash>
#include <QImage>
#include <QJsonObject>
#include <QString>
#include <QVector>

namespace Report {

// Parameter values for a template from a JSON object, for designers trying a template without a
// till: "parameters" answers a name on every row, each object of "rows" answers one data row
// (and wins over "parameters"), "images" names an image file per image parameter.
class JsonData final : public DataSource
{
public:
    JsonData() = default;

    // baseDir resolves relative image paths. False with ErrorString() on malformed input.
    bool Parse(const QByteArray &json, const QString &baseDir = QString());
    bool Load(const QString &path);
    QString ErrorString() const { return m_error; }

    int RowCount() const { return m_rows.size(); }

    QString Value(int recNo, const QString &name, int reportPage) override;
    bool Image(int recNo, const QString &name, int reportPage, QImage *image) override;

private:
    bool Fail(const QString &error);

    QJsonObject m_parameters;
    QVector<QJsonObject> m_rows;
    QHash<QString, QImage> m_images;
    QString m_error;
};

} // namespace Report
