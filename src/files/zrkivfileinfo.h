#ifndef ZRKIVFILEINFO_H
#define ZRKIVFILEINFO_H

#include "orvopublicdata_export.h"

#include <QString>
#include <QStringList>

// One lesson file: its kind by extension, and whether its content is what the extension says.
class ORVOPUBLICDATA_EXPORT ZRKivFileInfo
{
public:
    // Exchanged with the suite's applications as numbers.
    enum eType : qint32 {
        eOther = 0,
        eKl = 1,
        eImage = 2,
        ePpt = 3,
        eZrtx = 4,
        eAudio = 5,
        eVideo = 6,
        eDoc = 7,
        ePdf = 8,
    };

    ZRKivFileInfo(const QString &path);
    ZRKivFileInfo(const ZRKivFileInfo &other);
    ZRKivFileInfo(ZRKivFileInfo &&other) noexcept;
    ZRKivFileInfo &operator=(const ZRKivFileInfo &other);
    ZRKivFileInfo &operator=(ZRKivFileInfo &&other) noexcept;
    ~ZRKivFileInfo();

    static QStringList audioExts();
    static QStringList commonExts();
    static QStringList docExts();
    static QStringList zrtxExts();
    static QStringList imgExts();
    static QStringList klExts();
    static QStringList pdfExts();
    static QStringList pptExts();
    static QStringList videoExts();

    // By extension alone; the file is not touched.
    eType fileType() const;
    // Whether the file exists and its content matches the type its extension names. Parses the
    // file, in a helper process when one is installed beside the library.
    bool isAvailable() const;

private:
    QString extName() const;
    eType fileExtToType(const QString &name) const;
    bool isAvailable(eType eExpectType) const;

    QString m_path;
};

#endif
