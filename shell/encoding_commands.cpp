#include "shell/encoding_commands.h"

#include "resources/resource.h"
#include "storage/encodings.h"

namespace {

struct EncodingCommand {
    int command;
    int encoding;
};

const EncodingCommand kEncodingCommands[] = {
    { CMD_REOPEN_ANSI, ENC_ANSI },   { CMD_REOPEN_1251, ENC_WIN1251 },
    { CMD_REOPEN_866, ENC_DOS866 },  { CMD_REOPEN_KOI8R, ENC_KOI8R },
    { CMD_REOPEN_UTF16, ENC_UTF16 }, { CMD_REOPEN_UTF8, ENC_UTF8 },
    { CMD_REOPEN_AUTO, ENC_AUTO },
};

}

int EncodingForCommand(int id)
{
    for (const EncodingCommand& item : kEncodingCommands) {
        if (item.command == id)
            return item.encoding;
    }
    return -1;
}

void CheckEncodingItem(HMENU menu, int encoding)
{
    // Detection is a request, never a document's encoding: its item has no
    // check mark.
    for (const EncodingCommand& item : kEncodingCommands) {
        if (item.encoding != ENC_AUTO)
            CheckMenuItem(menu, item.command,
                          MF_BYCOMMAND | (item.encoding == encoding ? MF_CHECKED : MF_UNCHECKED));
    }
}
