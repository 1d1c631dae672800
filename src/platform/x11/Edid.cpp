// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/x11/Edid.h"

#include <QUuid>

namespace corvane {
namespace {

constexpr int baseBlockSize = 128;
constexpr unsigned char header[8] = {0x00, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0x00};
constexpr int firstDescriptor = 54;
constexpr int descriptorSize = 18;
constexpr unsigned char monitorNameTag = 0xfc;

// A fixed namespace so that the same monitor gives the same UUID on every run and machine.
const QUuid edidNamespace(QStringLiteral("{6f1c6c2e-8d0b-4b7e-9a63-5c1d2f0e7a41}"));

unsigned byteAt(const QByteArray& data, int i)
{
    return static_cast<unsigned char>(data.at(i));
}

} // namespace

std::optional<EdidInfo> parseEdid(const QByteArray& edid)
{
    if (edid.size() < baseBlockSize)
        return std::nullopt;
    for (int i = 0; i < 8; ++i) {
        if (byteAt(edid, i) != header[i])
            return std::nullopt;
    }
    EdidInfo info;
    info.vendor = (byteAt(edid, 8) << 8) | byteAt(edid, 9);
    info.model = byteAt(edid, 10) | (byteAt(edid, 11) << 8);
    info.serial = byteAt(edid, 12) | (byteAt(edid, 13) << 8) | (byteAt(edid, 14) << 16) |
                  (std::uint32_t(byteAt(edid, 15)) << 24);
    for (int d = 0; d < 4; ++d) {
        const int at = firstDescriptor + d * descriptorSize;
        // Display descriptors start with a zero pixel clock; the tag says which one it is.
        if (byteAt(edid, at) != 0 || byteAt(edid, at + 1) != 0 ||
            byteAt(edid, at + 3) != monitorNameTag)
            continue;
        QByteArray name = edid.mid(at + 5, 13);
        if (const int end = name.indexOf('\n'); end >= 0)
            name.truncate(end);
        info.productName = QString::fromLatin1(name).trimmed();
        break;
    }
    info.uuid = QUuid::createUuidV5(edidNamespace, edid.left(baseBlockSize))
                    .toString(QUuid::WithoutBraces)
                    .toUpper();
    return info;
}

} // namespace corvane
