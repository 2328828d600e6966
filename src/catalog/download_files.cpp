#include "catalog/download_files.h"

#include "catalog/xml_document.h"

namespace paperkit {

bool TDownLoadFiles::OpenDocument(const std::filesystem::path& container) {
    return paperkit::OpenDocument(Document, container);
}

bool TDownLoadFiles::SaveDocument(const std::filesystem::path& container) {
    return paperkit::SaveDocument(Document, container);
}

} // namespace paperkit
