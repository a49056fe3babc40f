#include "app/draw_flow.h"

#include "app/off_ui_thread.h"
#include "core/user_dialogs.h"
#include "decode/track_table.h"
#include "export/kml_export.h"

bool DrawKmlTrack(const TrackTable& table, UserDialogs& dialogs, const DrawOptionsPrompt& askOptions)
{
    if (const auto refusal = DrawKmlRefusal(table)) {
        if (refusal->outcome == SaveResult::Outcome::TableEmpty)
            dialogs.error(refusal->text);
        else
            dialogs.plain(refusal->text);
        return false;
    }
    const std::optional<DrawOptions> options = askOptions(table.rowCount() - 1);
    if (!options) {
        dialogs.plain("Aborting!");
        return false;
    }
    // The grid stays editable while the file is written.
    const TrackTable drawn = table.detached();
    const SaveResult written = RunOffUiThread([&] { return WriteDrawKmlFile(drawn, *options); });
    if (!written.saved()) {
        dialogs.error(written.text);
        return false;
    }
    if (!dialogs.openDocument(written.text)) {
        dialogs.warning("No program is registered to open KML files. The track was saved as " + written.text);
        return false;
    }
    return true;
}
