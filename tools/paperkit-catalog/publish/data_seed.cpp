#include "publish/data_seed.h"

#include "catalog/download_files.h"
#include "publish/catalog_layout.h"

#include <algorithm>
#include <system_error>

namespace paperkit {

namespace fs = std::filesystem;

fs::path ReceiveFolderIn(const fs::path& dataHome) {
    return dataHome / "PaperKit" / "Receive";
}

bool SeedDataFolder(const fs::path& catalog, const fs::path& dataHome,
                    const std::vector<int>& presetCategories, std::string& error) {
    const fs::path receive = ReceiveFolderIn(dataHome);
    const fs::path setup = receive / "setupfile.xmz";
    std::error_code ec;
    if (fs::exists(setup, ec)) {
        error = setup.string() + " already exists; it holds the user's choices";
        return false;
    }
    const fs::path categories = catalog / DocumentsFolderName / CategoryDocument;
    TDownLoadFiles files;
    if (!files.ReadCategory(categories)) {
        error = "cannot read " + categories.string();
        return false;
    }
    for (int id : presetCategories) {
        if (!files.Categorys().Find(id)) {
            error = "the category " + std::to_string(id) + " is not in the catalog";
            return false;
        }
    }

    // The setup document applies presets only to categories the program already knows when it
    // starts, so the category list goes in beside it.
    fs::create_directories(receive, ec);
    fs::copy_file(categories, receive / CategoryDocument, fs::copy_options::overwrite_existing, ec);
    if (ec) {
        error = "cannot copy the categories into " + receive.string() + ": " + ec.message();
        return false;
    }
    // Reading the missing document puts in the settings a first run starts with.
    files.ReadSetupFile(setup);
    for (TWallCategory& category : files.Categorys())
        category.Preset = std::find(presetCategories.begin(), presetCategories.end(),
                                    category.Id) != presetCategories.end();
    if (!files.WriteSetupFile(setup)) {
        error = "cannot write " + setup.string();
        return false;
    }
    return true;
}

} // namespace paperkit
