#include "DecodeHelper.h"

#include "platform/ByteSource.h"

namespace dz::test {

DecodeResult decodeBytes(const Bytes& bytes) {
    DecodeResult result;
    CExifReader reader(result.info);
    reader.setDiagnosticSink([&](const std::string& text) { result.diagnostics.push_back(text); });
    MemorySource source(bytes.data(), bytes.size());
    result.ok = reader.Decode(source);
    result.error = reader.lastError();
    result.position = source.position();
    result.sections = reader.sectionCount();
    return result;
}

DecodeResult decodeBytes(const std::string& bytes) {
    return decodeBytes(Bytes(bytes.begin(), bytes.end()));
}

DecodeResult decodeTiff(const TiffBuilder& tiff) {
    return decodeBytes(JpegBuilder().exif(tiff.build()).frame(640, 480).startOfScan().bytes());
}

}  // namespace dz::test
