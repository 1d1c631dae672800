// SPDX-License-Identifier: GPL-3.0-or-later
#include "models/LayoutJson.h"

#include <QJsonArray>
#include <QJsonDocument>

namespace corvane::json {
namespace {

std::optional<QString> stringAt(const QJsonObject& o, QLatin1StringView key)
{
    const QJsonValue v = o.value(key);
    if (!v.isString())
        return std::nullopt;
    return v.toString();
}

std::optional<double> numberAt(const QJsonObject& o, QLatin1StringView key)
{
    const QJsonValue v = o.value(key);
    if (!v.isDouble())
        return std::nullopt;
    return v.toDouble();
}

// The four numbers every zone record carries.
std::optional<Rect> frameAt(const QJsonObject& o)
{
    const auto x = numberAt(o, QLatin1StringView("x"));
    const auto y = numberAt(o, QLatin1StringView("y"));
    const auto w = numberAt(o, QLatin1StringView("width"));
    const auto h = numberAt(o, QLatin1StringView("height"));
    if (!x || !y || !w || !h)
        return std::nullopt;
    return Rect(*x, *y, *w, *h);
}

// Absent or null is "no value"; any other type fails the decoding.
std::optional<std::optional<QString>> optionalStringAt(const QJsonObject& o, QLatin1StringView key)
{
    const QJsonValue v = o.value(key);
    if (v.isUndefined() || v.isNull())
        return std::optional<QString>{};
    if (!v.isString())
        return std::nullopt;
    return std::optional<QString>{v.toString()};
}

template <typename T, typename Decode>
std::optional<QList<T>> decodeArray(const QJsonValue& value, Decode decode)
{
    if (!value.isArray())
        return std::nullopt;
    const QJsonArray array = value.toArray();
    QList<T> result;
    result.reserve(array.size());
    for (const QJsonValue& element : array) {
        auto decoded = decode(element);
        if (!decoded)
            return std::nullopt;
        result.append(std::move(*decoded));
    }
    return result;
}

std::optional<QJsonDocument> parse(const QByteArray& data)
{
    QJsonParseError error;
    QJsonDocument document = QJsonDocument::fromJson(data, &error);
    if (error.error != QJsonParseError::NoError)
        return std::nullopt;
    return document;
}

QJsonValue rootValue(const QJsonDocument& document)
{
    if (document.isArray())
        return document.array();
    if (document.isObject())
        return document.object();
    return {};
}

bool isJsonSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

// The text of each element of a JSON array, found by its brackets and strings alone, so that
// an element the JSON reader refuses does not hide its neighbours. None when the text is not
// one array whose brackets close.
std::optional<QList<QByteArray>> arrayElements(const QByteArray& data)
{
    qsizetype i = 0;
    const qsizetype n = data.size();
    while (i < n && isJsonSpace(data[i]))
        ++i;
    if (i == n || data[i] != '[')
        return std::nullopt;
    QList<QByteArray> elements;
    qsizetype start = ++i;
    qsizetype depth = 1;
    bool inString = false;
    for (; i < n && depth > 0; ++i) {
        const char c = data[i];
        if (inString) {
            if (c == '\\')
                ++i;
            else if (c == '"')
                inString = false;
            continue;
        }
        if (c == '"') {
            inString = true;
        } else if (c == '[' || c == '{') {
            ++depth;
        } else if (c == ']' || c == '}') {
            --depth;
        }
        if ((depth == 1 && c == ',') || depth == 0) {
            const QByteArray element = data.mid(start, i - start).trimmed();
            if (!element.isEmpty())
                elements.append(element);
            start = i + 1;
        }
    }
    if (depth != 0)
        return std::nullopt;
    for (; i < n; ++i) {
        if (!isJsonSpace(data[i]))
            return std::nullopt;
    }
    return elements;
}

template <typename T> QByteArray compactArray(const QList<T>& values)
{
    QJsonArray array;
    for (const T& value : values)
        array.append(encode(value));
    return QJsonDocument(array).toJson(QJsonDocument::Compact);
}

// Each element of a stored array decoded on its own: the values that decode, and the text of
// every other element exactly as stored.
template <typename T, typename Decode>
std::optional<std::pair<QList<T>, QList<QByteArray>>> decodeEach(const QByteArray& data,
                                                                 Decode decode)
{
    const auto elements = arrayElements(data);
    if (!elements)
        return std::nullopt;
    std::pair<QList<T>, QList<QByteArray>> result;
    for (const QByteArray& element : *elements) {
        const auto document = parse('[' + element + ']');
        auto value = document ? decode(document->array().at(0)) : std::nullopt;
        if (value)
            result.first.append(std::move(*value));
        else
            result.second.append(element);
    }
    return result;
}

// The values, then the unreadable elements as they were stored.
template <typename T>
QByteArray encodeWithUnreadable(const QList<T>& values, const QList<QByteArray>& unreadable)
{
    QByteArray text = compactArray(values);
    if (unreadable.isEmpty())
        return text;
    text.chop(1);
    for (const QByteArray& element : unreadable) {
        if (text.size() > 1)
            text += ',';
        text += element;
    }
    return text + ']';
}

} // namespace

QJsonObject encode(const Zone& zone)
{
    return {{QStringLiteral("id"), uuidText(zone.id)},
            {QStringLiteral("x"), zone.frame.x},
            {QStringLiteral("y"), zone.frame.y},
            {QStringLiteral("width"), zone.frame.width},
            {QStringLiteral("height"), zone.frame.height}};
}

QJsonObject encode(const ScreenLayout& layout)
{
    QJsonArray zones;
    for (const Zone& zone : layout.zones)
        zones.append(encode(zone));
    QJsonObject object{{QStringLiteral("id"), layout.uuidString()},
                       {QStringLiteral("name"), layout.name},
                       {QStringLiteral("zones"), zones}};
    if (layout.description)
        object.insert(QStringLiteral("description"), *layout.description);
    if (layout.quickKey)
        object.insert(QStringLiteral("quickKey"), *layout.quickKey);
    return object;
}

QJsonObject encode(const MonitorLayoutPreference& preference)
{
    return {{QStringLiteral("monitorID"), preference.monitorID},
            {QStringLiteral("layoutID"), preference.layoutID},
            {QStringLiteral("layoutName"), preference.layoutName}};
}

std::optional<Zone> decodeZone(const QJsonValue& value)
{
    if (!value.isObject())
        return std::nullopt;
    const QJsonObject o = value.toObject();
    const auto idText = stringAt(o, QLatin1StringView("id"));
    const auto id = idText ? parseUuid(*idText) : std::nullopt;
    const auto frame = frameAt(o);
    if (!id || !frame)
        return std::nullopt;
    return Zone(*id, *frame);
}

std::optional<ScreenLayout> decodeLayout(const QJsonValue& value)
{
    if (!value.isObject())
        return std::nullopt;
    const QJsonObject o = value.toObject();
    const auto idText = stringAt(o, QLatin1StringView("id"));
    const auto id = idText ? parseUuid(*idText) : std::nullopt;
    const auto name = stringAt(o, QLatin1StringView("name"));
    const auto description = optionalStringAt(o, QLatin1StringView("description"));
    if (!id || !name || !description)
        return std::nullopt;
    auto zones = decodeArray<Zone>(o.value(QLatin1StringView("zones")),
                                   [](const QJsonValue& v) { return decodeZone(v); });
    if (!zones)
        return std::nullopt;
    // A key out of range is as good as none given: the layout itself is still fine.
    const int key = o.value(QLatin1StringView("quickKey")).toInt(-1);
    return ScreenLayout{*id, *name, std::move(*zones), *description,
                        key >= 0 && key <= 9 ? std::optional<int>(key) : std::nullopt};
}

std::optional<MonitorLayoutPreference> decodePreference(const QJsonValue& value)
{
    if (!value.isObject())
        return std::nullopt;
    const QJsonObject o = value.toObject();
    const auto monitor = stringAt(o, QLatin1StringView("monitorID"));
    const auto layout = stringAt(o, QLatin1StringView("layoutID"));
    const auto name = stringAt(o, QLatin1StringView("layoutName"));
    if (!monitor || !layout || !name)
        return std::nullopt;
    return MonitorLayoutPreference{*monitor, *layout, *name};
}

std::optional<ZoneConfig> decodeZoneConfig(const QJsonValue& value)
{
    if (!value.isObject())
        return std::nullopt;
    const QJsonObject o = value.toObject();
    const auto id = stringAt(o, QLatin1StringView("id"));
    const auto frame = frameAt(o);
    if (!id || !frame)
        return std::nullopt;
    return ZoneConfig{*id, frame->x, frame->y, frame->width, frame->height};
}

std::optional<LayoutConfigItem> decodeLayoutConfigItem(const QJsonValue& value)
{
    if (!value.isObject())
        return std::nullopt;
    const QJsonObject o = value.toObject();
    const auto id = stringAt(o, QLatin1StringView("id"));
    const auto name = stringAt(o, QLatin1StringView("name"));
    const auto description = optionalStringAt(o, QLatin1StringView("description"));
    if (!id || !name || !description)
        return std::nullopt;
    auto zones = decodeArray<ZoneConfig>(o.value(QLatin1StringView("zones")),
                                         [](const QJsonValue& v) { return decodeZoneConfig(v); });
    if (!zones)
        return std::nullopt;
    return LayoutConfigItem{*id, *name, *description, std::move(*zones)};
}

QByteArray encodeLayout(const ScreenLayout& layout)
{
    return QJsonDocument(encode(layout)).toJson(QJsonDocument::Compact);
}

QByteArray encodeLayouts(const QList<ScreenLayout>& layouts)
{
    return compactArray(layouts);
}

QByteArray encodePreferences(const MonitorLayoutPreferenceList& preferences)
{
    return compactArray(preferences);
}

std::optional<ScreenLayout> decodeLayout(const QByteArray& data)
{
    const auto document = parse(data);
    if (!document)
        return std::nullopt;
    return decodeLayout(rootValue(*document));
}

std::optional<QList<ScreenLayout>> decodeLayouts(const QByteArray& data)
{
    const auto document = parse(data);
    if (!document)
        return std::nullopt;
    return decodeArray<ScreenLayout>(rootValue(*document),
                                     [](const QJsonValue& v) { return decodeLayout(v); });
}

std::optional<MonitorLayoutPreferenceList> decodePreferences(const QByteArray& data)
{
    const auto document = parse(data);
    if (!document)
        return std::nullopt;
    return decodeArray<MonitorLayoutPreference>(
        rootValue(*document), [](const QJsonValue& v) { return decodePreference(v); });
}

std::optional<StoredLayouts> decodeStoredLayouts(const QByteArray& data)
{
    auto decoded =
        decodeEach<ScreenLayout>(data, [](const QJsonValue& v) { return decodeLayout(v); });
    if (!decoded)
        return std::nullopt;
    return StoredLayouts{std::move(decoded->first), std::move(decoded->second)};
}

QByteArray encodeStoredLayouts(const QList<ScreenLayout>& layouts,
                               const QList<QByteArray>& unreadable)
{
    return encodeWithUnreadable(layouts, unreadable);
}

std::optional<StoredPreferences> decodeStoredPreferences(const QByteArray& data)
{
    auto decoded = decodeEach<MonitorLayoutPreference>(
        data, [](const QJsonValue& v) { return decodePreference(v); });
    if (!decoded)
        return std::nullopt;
    return StoredPreferences{std::move(decoded->first), std::move(decoded->second)};
}

QByteArray encodeStoredPreferences(const MonitorLayoutPreferenceList& preferences,
                                   const QList<QByteArray>& unreadable)
{
    return encodeWithUnreadable(preferences, unreadable);
}

std::optional<LayoutConfig> decodeLayoutConfig(const QByteArray& data)
{
    const auto document = parse(data);
    if (!document || !document->isObject())
        return std::nullopt;
    auto items = decodeArray<LayoutConfigItem>(
        document->object().value(QLatin1StringView("layouts")),
        [](const QJsonValue& v) { return decodeLayoutConfigItem(v); });
    if (!items)
        return std::nullopt;
    return LayoutConfig{std::move(*items)};
}

} // namespace corvane::json
