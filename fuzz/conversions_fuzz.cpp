// libFuzzer target for the text and number conversions. The first byte picks the parameters.
#include "fuzzinput.h"
#include "zrcommonutils.h"

#include <cstring>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    silenceQt();
    if (size == 0)
        return 0;
    const uint8_t mode = data[0];
    const QByteArray bytes = fuzzBytes(data + 1, size - 1);
    const QString text = QString::fromUtf8(bytes);

    ZRCommonUtils::ByteArray2String(bytes, mode & 1);
    ZRCommonUtils::ByteArray2StringR(bytes, mode & 2);
    ZRCommonUtils::String2ByteArray(text, text.left(mode % 3), int(mode % 40) - 2);
    ZRCommonUtils::getStringFromBase64(text);
    ZRCommonUtils::getBase64String(text);
    ZRCommonUtils::strToIpv4(text);
    ZRCommonUtils::getFirstWord(text);
    std::string raw(bytes.constData(), size_t(bytes.size()));
    ZRCommonUtils::trim(raw);
    if (bytes.size() >= int(sizeof(double))) {
        double value;
        std::memcpy(&value, bytes.constData(), sizeof value);
        ZRCommonUtils::Double2String(value, int(mode % 24) - 4, mode & 0x80);
    }
    return 0;
}
