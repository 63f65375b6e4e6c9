#include "CommandTable.h"

#include "FleetCommands.h"
#include "ImageCommands.h"
#include "PlanCommands.h"
#include "PrintCommand.h"
#include "RadioCommands.h"
#include "options/Options.h"

// A new command is one entry here, in the place it takes in "radioprog --help", with its
// handler; then its .TP item in packaging/man/radioprog.1.in and its words in
// packaging/completion/radioprog, which tests/packaging/validate.sh holds to this table.
const std::vector<CommandEntry>& CommandTable::commands() {
    // {name, handler, options, operands, how many operands are required, whether the last
    //  repeats, where the work goes, overview arguments and summary, synopsis, help}
    static const std::vector<CommandEntry> table = {
        {"new",
         runNew,
         {{"--type", Argument::Value}, {"--band", Argument::Value}},
         {{"IMAGE.dat", Argument::Output}},
         1,
         Repeat::None,
         Work::Saved,
         "IMAGE.dat [--type N] [--band N]",
         "write a new image",
         "radioprog new IMAGE.dat [--type N] [--band N]",
         "Writes the memory image of a new document to IMAGE.dat: every channel empty and the\n"
         "default options (time-out 45 s, squelch 5, English voice, beep and battery saver on).\n"
         "An existing file is never overwritten.\n"
         "\n"
         "  --type N   the radio type, counted from 0 in the Type1, Type2, ... list of Program.ini\n"
         "  --band N   the band of that type, counted from 0 in its Field list\n"
         "Without them the type and band are the ones last read from a radio (or 0 and 0).\n"
         "\n"
         "Example:\n"
         "  radioprog new club.dat --type 0 --band 1\n"},
        {"show",
         runShow,
         {{"--json", Argument::None}, {"--lang", Argument::Value}},
         {{"IMAGE.dat", Argument::Value}},
         1,
         Repeat::None,
         Work::Printed,
         "IMAGE.dat [--json] [--lang LANGUAGE]",
         "print channels and options",
         "radioprog show IMAGE.dat [--json] [--lang English|Chinese]",
         "Prints the radio type and band, the 16 channels as the channel grid shows them and the\n"
         "radio-wide options in words.\n"
         "\n"
         "  --json            one JSON object instead: type, band, type_name, band_name,\n"
         "                    freq_min, freq_max (10 Hz units), channels (channel, rx, tx,\n"
         "                    rx_tone, tx_tone, width, scan, busy_lock, power: the grid's\n"
         "                    English texts) and options (the raw option bytes)\n"
         "  --lang LANGUAGE   English or Chinese texts (default: the Language of Program.ini)\n"
         "\n"
         "Example:\n"
         "  radioprog show club.dat --json\n"},
        {"diff",
         runDiff,
         {{"--port", Argument::Value},
          {"--json", Argument::None},
          {"--lang", Argument::Value},
          {"--retries", Argument::Value},
          {"--trace", Argument::Output}},
         {{"A.dat", Argument::Value}, {"B.dat", Argument::Value}},
         1,
         Repeat::None,
         Work::Printed,
         "A.dat B.dat|--port PORT [--json]",
         "compare an image with another or the radio",
         "radioprog diff A.dat (B.dat | --port PORT [--retries N] [--trace LOG]) [--json] "
         "[--lang LANGUAGE]",
         "Prints what differs from A.dat to B.dat, or to what the radio holds, one line each, named\n"
         "as the channel grid and the option dialog name it: the type and band, the radio-wide\n"
         "options, then channel by channel, or 'no differences'. A channel that is in use in one\n"
         "and not the other is one line, 'added' or 'removed' with its receive frequency. Bytes no\n"
         "field or option names are 'Other bytes'. Rows 51 to 63, which never travel to the radio,\n"
         "are compared between two files only, as one line. With --port the radio is read as\n"
         "'read' reads it (kept in the radio history), and nothing is written to it or to a file.\n"
         "The exit status is that of diff(1): 0 when they agree, 1 when they differ, 2 on trouble\n"
         "(bad arguments, a file that is not an image, a port or radio that fails).\n"
         "\n"
         "  --port PORT       compare with the radio on PORT: COM1 to COM4 or a device path\n"
         "  --json            one JSON object instead: differences, an array of objects with kind\n"
         "                    (type_and_band, option, channel_field, channel_added,\n"
         "                    channel_removed, reserved), channel (1 to 16, or null), what, before\n"
         "                    and after (the texts of the lines; \"\" for none)\n"
         "  --lang LANGUAGE   English or Chinese texts (default: the Language of Program.ini)\n"
         "  --retries N       try the handshake N more times when the radio does not answer\n"
         "  --trace LOG       write every byte sent and received, with times, to LOG\n"
         "                    (- for standard error)\n"
         "\n"
         "Example:\n"
         "  radioprog diff club.dat --port COM1\n"},
        {"read",
         runRead,
         {{"--port", Argument::Value},
          {"--output", Argument::Output},
          {"--retries", Argument::Value},
          {"--trace", Argument::Output}},
         {},
         0,
         Repeat::None,
         Work::Saved,
         "--port PORT --output IMAGE.dat",
         "read the radio into a file",
         "radioprog read --port PORT --output IMAGE.dat [--retries N] [--trace LOG]",
         "Reads the radio's memory (rows 0 to 50) into IMAGE.dat. When IMAGE.dat already holds an\n"
         "image, its rows 51 to 63 are kept; otherwise they are those of a new image. The file is\n"
         "written only when the whole memory has arrived: a failed or cancelled read (Ctrl+C)\n"
         "leaves it as it was. The radio's type and band become the ones a new image gets, and\n"
         "the image is kept in the radio history ('radioprog history').\n"
         "\n"
         "  --port PORT      COM1 to COM4 (see 'radioprog ports') or a device path such as\n"
         "                   /dev/ttyUSB0\n"
         "  --output FILE    the image file to write (- for standard output); a folder that may\n"
         "                   not be written, or a FILE that may not be replaced, is refused\n"
         "                   before the radio is read\n"
         "  --retries N      try the handshake N more times when the radio does not answer\n"
         "                   (default 0)\n"
         "  --trace LOG      write every byte sent and received, with times, to LOG\n"
         "                   (- for standard error)\n"
         "A progress bar goes to the terminal's stderr; nothing of it when stderr is not a terminal.\n"
         "\n"
         "Example:\n"
         "  radioprog read --port /dev/ttyUSB0 --output club.dat --retries 2\n"},
        {"write",
         runWrite,
         {{"--port", Argument::Value},
          {"--no-backup", Argument::None},
          {"--no-verify", Argument::None},
          {"--retries", Argument::Value},
          {"--trace", Argument::Output},
          {"--force", Argument::None},
          {"--dry-run", Argument::None},
          {"--changed-only", Argument::None}},
         {{"IMAGE.dat", Argument::Value}},
         1,
         Repeat::None,
         Work::Saved,
         "--port PORT IMAGE.dat",
         "write a file into the radio",
         "radioprog write --port PORT IMAGE.dat [--no-backup] [--no-verify] [--retries N] [--trace LOG] "
         "[--force] [--dry-run] [--changed-only]",
         "Writes rows 0 to 50 of IMAGE.dat into the radio in three steps: the radio is read first\n"
         "and what it held is kept in the radio history as 'before-write' (when that read fails,\n"
         "nothing is written); then the image is written and kept as 'written'; then the radio is\n"
         "read back and compared with what was sent. A difference fails the write (exit status 1)\n"
         "and names the first row that differs (0 to 50) with the channel and field it holds.\n"
         "The port stays held from the backup to the verify. Ctrl+C stops after the row in\n"
         "progress and says what the radio holds; cancelled during the write, it holds a partly\n"
         "written memory, and 'radioprog restore ID' with the id of the backup puts back what it\n"
         "held before.\n"
         "An image with a channel outside its band (Program.ini's band of its type and band), or\n"
         "with no channel in use, is refused before the port is opened (exit status 2), naming the\n"
         "channels and the band; --force writes it all the same.\n"
         "When the backup shows that the radio already holds rows 0 to 50 of IMAGE.dat, nothing is\n"
         "written ('the radio already holds IMAGE.dat: nothing written', exit status 0) unless\n"
         "--force is given. --dry-run reads the backup, prints what the write would change (one\n"
         "line per difference, or 'no differences') and writes nothing. --changed-only sends only\n"
         "the 8-byte frames that differ from the backup and reads back only those; it assumes the\n"
         "radio takes a write frame at any address, and when the radio refuses one or the read\n"
         "back differs, it writes and verifies the whole memory at once and says so.\n"
         "\n"
         "  --port PORT      COM1 to COM4 (see 'radioprog ports') or a device path\n"
         "  --no-backup      do not read the radio before writing\n"
         "  --no-verify      do not read the radio back after writing\n"
         "  --retries N      try each handshake N more times when the radio does not answer\n"
         "                   (default 0)\n"
         "  --trace LOG      write every byte sent and received, with times, to LOG\n"
         "                   (- for standard error)\n"
         "  --force          write channels outside the band, or an image with no channel in use,\n"
         "                   or what the radio already holds\n"
         "  --dry-run        read the radio, print what the write would change, write nothing\n"
         "  --changed-only   send and verify only the frames that differ from the backup\n"
         "\n"
         "Example:\n"
         "  radioprog write --port COM1 club.dat\n"},
        {"fleet",
         runFleet,
         {{"--port", Argument::Values},
          {"--count", Argument::Value},
          {"--changed-only", Argument::None},
          {"--no-verify", Argument::None},
          {"--fix", Argument::None},
          {"--allow-other-model", Argument::None},
          {"--log", Argument::Output},
          {"--json", Argument::None}},
         {{"write|check", Argument::Value}, {"MASTER.dat", Argument::Value}},
         2,
         Repeat::None,
         Work::Printed,
         "write|check MASTER.dat --port PORT...",
         "program or check many radios",
         "radioprog fleet write MASTER.dat --port PORT [--port PORT2 ...] [--count N] [--changed-only] "
         "[--no-verify] [--allow-other-model] [--log FILE.csv] [--json]\n"
         "       radioprog fleet check MASTER.dat --port PORT [--port PORT2 ...] [--fix] [--count N] "
         "[--allow-other-model] [--log FILE.csv] [--json]",
         "Gives many radios the channels and options of MASTER.dat, round by round: a round takes\n"
         "one radio on every port at once (up to 4 ports), each port on its own thread. Before\n"
         "each round it asks on standard error to connect the next radios and press Enter, and\n"
         "reads a line from standard input; 'q' or the end of the input ends the session, so\n"
         "\"yes '' | radioprog fleet write ... --count 6\" runs six rounds unattended.\n"
         "fleet write backs each radio up (kept in the radio history as 'before-write', its port\n"
         "marked with the session and the radio's number), writes it only when it differs from\n"
         "MASTER.dat, and reads it back. A radio whose identification differs from the first\n"
         "radio's of the session is not written ('another model'; --allow-other-model writes it).\n"
         "fleet check reads each radio (kept as 'read') and prints how it differs from\n"
         "MASTER.dat, writing nothing; with --fix it writes the radios that drifted. A port where\n"
         "no radio answers says 'no radio'; a radio that fails never stops the session.\n"
         "One line per radio on standard output: its number, the round, the port, its\n"
         "identification, the outcome (written, already up to date, drifted, in step, no radio,\n"
         "failed, another model), the backup's history id and the seconds taken. While a round\n"
         "runs, a line on standard error shows each port's stage and rows, when it is a terminal.\n"
         "The exit status is 0 when every radio that answered was written, up to date or (check)\n"
         "in step; 1 when any failed or drifted without --fix; 2 on bad arguments or input.\n"
         "\n"
         "  --port PORT      COM1 to COM4 or a device path; give it once for every cable\n"
         "  --count N        at most N rounds (default: until 'q' or the end of the input)\n"
         "  --changed-only   write: send and verify only the frames that differ from the backup\n"
         "  --no-verify      write: do not read the radios back after writing\n"
         "  --fix            check: write the radios that drifted\n"
         "  --allow-other-model\n"
         "                   write radios whose identification differs from the first radio's\n"
         "                   (only when they are known to keep their memory the same way)\n"
         "  --log FILE.csv   also write every radio to FILE.csv, with the header\n"
         "                   radio,round,port,device,started,identity,outcome,changes,backup_id,\n"
         "                   seconds\n"
         "  --json           one JSON object per radio and line: radio, round, port, device,\n"
         "                   started, identity, outcome, text, changes, drift, stage, reason,\n"
         "                   backup_id, seconds\n"
         "\n"
         "Example:\n"
         "  yes '' | radioprog fleet write club.dat --port COM1 --port COM2 --count 5 --log club.csv\n"},
        {"history",
         runHistory,
         {{"--json", Argument::None}},
         {},
         0,
         Repeat::None,
         Work::Printed,
         "[--json]",
         "list images read and written",
         "radioprog history [--json]",
         "Lists the radio history, newest first, one line each: the id, the time, the kind (read,\n"
         "before-write, written), the port, the type and band and the channels in use. Every image\n"
         "read from or written to the radio is kept in $XDG_DATA_HOME/<AppName>/history (by\n"
         "default ~/.local/share/<AppName>/history); the oldest go after 500. An empty history\n"
         "prints 'no entries'.\n"
         "\n"
         "  --json           one JSON array of objects: id, time (ISO 8601 with the offset from\n"
         "                   UTC, 2026-12-07T14:30:01.123+01:00), kind, port, type, band,\n"
         "                   channels_in_use, file; [] when empty\n"
         "\n"
         "Example:\n"
         "  radioprog history\n"},
        {"restore",
         runRestore,
         {{"--port", Argument::Value},
          {"--no-backup", Argument::None},
          {"--no-verify", Argument::None},
          {"--retries", Argument::Value},
          {"--trace", Argument::Output}},
         {{"ID", Argument::Value}},
         1,
         Repeat::None,
         Work::Saved,
         "ID --port PORT",
         "write a history image back",
         "radioprog restore ID --port PORT [--no-backup] [--no-verify] [--retries N] [--trace LOG]",
         "Writes the image of history entry ID into the radio, exactly as 'write' writes a file:\n"
         "with a backup before and a verify after unless told otherwise.\n"
         "\n"
         "  --port PORT      COM1 to COM4 (see 'radioprog ports') or a device path\n"
         "  --no-backup      do not read the radio before writing\n"
         "  --no-verify      do not read the radio back after writing\n"
         "  --retries N      try each handshake N more times when the radio does not answer\n"
         "  --trace LOG      write every byte sent and received, with times, to LOG\n"
         "                   (- for standard error)\n"
         "\n"
         "Example:\n"
         "  radioprog restore 20261207-143001-123-before-write --port COM1\n"},
        {"channel",
         runChannel,
         {{"--delete", Argument::None}},
         {{"IMAGE.dat", Argument::Value}, {"N", Argument::Value}, {"FIELD=VALUE", Argument::Value}},
         2,
         Repeat::Last,
         Work::Saved,
         "IMAGE.dat N [FIELD=VALUE...] [--delete]",
         "edit one channel",
         "radioprog channel IMAGE.dat N [FIELD=VALUE...] [--delete]",
         "Edits channel N (1 to 16) as the channel grid does, and writes the image back. A value\n"
         "the grid would refuse is refused with the grid's message and the file stays as it was.\n"
         "\n"
         "  rx=MHZ            receive frequency, within the band of the image's type and band,\n"
         "                    10 MHz or more, and on the 5 kHz or 6.25 kHz step: 145.5, 145,5 or\n"
         "                    \"145.5 MHz\"; a new channel gets it as its transmit frequency too, no\n"
         "                    tones, wide, scanned, busy lock off, high power;\n"
         "                    rx= (empty) deletes the channel\n"
         "  tx=MHZ            transmit frequency; tx= (empty) makes it the receive frequency\n"
         "  rx-tone=TONE      receive tone (decoder): None, a CTCSS tone of the list such as 88.5,\n"
         "  tx-tone=TONE      or a DCS code of the list such as D023N (normal) or D023I (inverted)\n"
         "  width=wide|narrow\n"
         "  scan=yes|no\n"
         "  busy-lock=off|carrier|tone\n"
         "  power=high|low\n"
         "  --delete          empty the channel\n"
         "\n"
         "Example:\n"
         "  radioprog channel club.dat 3 rx=145.500 tx=145.500 rx-tone=88.5 tx-tone=88.5 power=low\n"},
        {"set",
         runSet,
         {},
         {{"IMAGE.dat", Argument::Value}, {"KEY=VALUE", Argument::Value}},
         2,
         Repeat::Last,
         Work::Saved,
         "IMAGE.dat KEY=VALUE...",
         "change radio-wide options",
         "radioprog set IMAGE.dat KEY=VALUE...",
         std::string("Changes radio-wide options; all of them or, when one value is wrong, none.\n"
                     "\n") +
             optionHelpLines() +
             "  type=N                 radio type, counted from 0 as Program.ini lists them; a new type\n"
             "                         starts on its first band unless band= is given\n"
             "  band=N                 band of the type, counted from 0\n"
             "\n"
             "Example:\n"
             "  radioprog set club.dat tot=60 squelch=3 voice=off priority=1\n"},
        {"export",
         runExport,
         {},
         {{"IMAGE.dat", Argument::Value}, {"CHANNELS.csv", Argument::Output}},
         2,
         Repeat::None,
         Work::Saved,
         "IMAGE.dat CHANNELS.csv",
         "channel list to CSV",
         "radioprog export IMAGE.dat CHANNELS.csv",
         "Writes the channels in use as a CSV channel list in the layout that radio programming\n"
         "tools exchange (Location, Name, Frequency, Duplex, Offset, Tone, ...), plus a BusyLock\n"
         "column that other tools ignore. CHANNELS.csv may be - for standard output.\n"
         "\n"
         "Example:\n"
         "  radioprog export club.dat club.csv\n"},
        {"import",
         runImport,
         {},
         {{"CHANNELS.csv", Argument::Value}, {"IMAGE.dat", Argument::Value}},
         2,
         Repeat::None,
         Work::Saved,
         "CHANNELS.csv IMAGE.dat",
         "channel list from CSV",
         "radioprog import CHANNELS.csv IMAGE.dat",
         "Makes the CSV channel list the channels of IMAGE.dat: channels the list does not name\n"
         "become empty. Columns are found by their header names; Location counts from 1 (or from\n"
         "0 when the smallest is 0). Every row must pass the channel grid's checks (band, step)\n"
         "and hold tones the radio can store; every bad row is reported with its line number and\n"
         "then nothing is written. Skip P makes a channel the priority channel. Without a\n"
         "BusyLock column the channels keep the busy lock the image had.\n"
         "\n"
         "Example:\n"
         "  radioprog import club.csv club.dat\n"},
        {"plan",
         runPlan,
         {{"--json", Argument::None},
          {"--lang", Argument::Value},
          {"--from", Argument::Value},
          {"--channels", Argument::Value},
          {"--replace-all", Argument::None}},
         {{"list|show|apply", Argument::Value},
          {"IMAGE.dat|NAME", Argument::Value},
          {"NAME", Argument::Value}},
         1,
         Repeat::None,
         Work::Printed,
         "list|show NAME|apply IMAGE.dat NAME",
         "list, show and apply channel plans",
         "radioprog plan list [--json] [--lang LANGUAGE]\n"
         "       radioprog plan show NAME [--json] [--lang LANGUAGE]\n"
         "       radioprog plan apply IMAGE.dat NAME [--from N] [--channels A-B] [--replace-all] "
         "[--lang LANGUAGE]",
         "Channel plans are channel lists of a service (PMR446, FRS, GMRS, MURS are built in) with\n"
         "the service's rules beside them: the bandwidth and the power it allows, whether a licence\n"
         "is needed, and where the rule comes from. Your own plans are CSV channel lists (the\n"
         "layout of 'export' and 'import') in $XDG_DATA_HOME/<AppName>/plans (by default\n"
         "~/.local/share/<AppName>/plans), each with an optional NAME.ini description beside it.\n"
         "\n"
         "plan list prints every plan: its name, region, service, number of channels, whether a\n"
         "licence is needed (unknown for a plain list) and whether it is built in or yours. A list\n"
         "that cannot be read is named on standard error and the others are still listed.\n"
         "plan show NAME prints the plan's description and its rows: name, receive and transmit\n"
         "frequency, tones, the bandwidth the service allows and its power limit. NAME is matched\n"
         "in any letter case; a built-in plan comes before one of yours of the same name.\n"
         "plan apply IMAGE.dat NAME puts rows of the plan into channels of IMAGE.dat as the\n"
         "channel grid would take them typed in, with the bandwidth and power the plan sets, and\n"
         "writes the image back. A plan with a frequency outside the band of the image's type and\n"
         "band is refused (exit status 2) and the file stays as it was. A row the grid refuses, or\n"
         "one past channel 16, is named on standard error and left out; the others are applied,\n"
         "and the channels filled are named. The exit status is 0 when a row was applied, 2 when\n"
         "none was or on trouble (then nothing is written).\n"
         "\n"
         "  --json            list: a JSON array of objects: name, region, service, channels,\n"
         "                    licence_needed (true, false or null), built_in; show: one object:\n"
         "                    name, region, service, rule, source, unconfirmed, licence_needed,\n"
         "                    built_in, channels (row, name, rx_10hz, tx_10hz, rx_tone, tx_tone,\n"
         "                    bandwidth, power_limit, power_limit_deciw; null where not given)\n"
         "  --lang LANGUAGE   English or Chinese for the headings, words, tones and messages\n"
         "                    (default: the Language of Program.ini)\n"
         "  --from N          apply: the first channel to fill, 1 to 16 (default 1)\n"
         "  --channels A-B    apply: the plan's rows A to B, or one row A (default: all)\n"
         "  --replace-all     apply: empty every channel the plan does not fill\n"
         "\n"
         "Example:\n"
         "  radioprog plan apply club.dat PMR446 --channels 1-8 --from 9\n"},
        {"check",
         runCheck,
         {{"--json", Argument::None}, {"--lang", Argument::Value}},
         {{"IMAGE.dat", Argument::Value}},
         1,
         Repeat::None,
         Work::Printed,
         "IMAGE.dat [--json] [--lang LANGUAGE]",
         "check channels against the plans",
         "radioprog check IMAGE.dat [--json] [--lang English|Chinese]",
         "Checks the channels of IMAGE.dat against every channel plan ('radioprog plan list') and\n"
         "prints one line per finding, naming the channel, the field and what to do, or 'no\n"
         "findings': wide on a frequency whose service allows only narrow, high power above the\n"
         "service's limit, receive and transmit on different services, transmit off the plan of\n"
         "the receive frequency, a decode tone without an encode tone or the other way round, a\n"
         "channel that repeats an earlier one, and a priority channel that is empty or not\n"
         "scanned. Findings are advice: nothing is changed, and 'write' writes such an image.\n"
         "The exit status is 0 with no findings, 1 with findings, 2 on trouble (bad arguments, a\n"
         "file that is not an image).\n"
         "\n"
         "  --json            a JSON array instead, one object per finding: kind (too_wide,\n"
         "                    high_power, mixed_services, transmit_no_plan, decode_only,\n"
         "                    encode_only, duplicate, priority_empty, priority_not_scanned),\n"
         "                    channel (1 to 16), field (rx, tx, rx_tone, tx_tone, width, scan,\n"
         "                    power, channel, priority), other_channel (the channel a duplicate\n"
         "                    repeats, or null), service (or null) and text (the line)\n"
         "  --lang LANGUAGE   English or Chinese texts (default: the Language of Program.ini)\n"
         "\n"
         "Example:\n"
         "  radioprog check club.dat\n"},
        {"print",
         runPrint,
         {{"--pdf", Argument::Output}, {"--lang", Argument::Value}},
         {{"IMAGE.dat", Argument::Value}},
         1,
         Repeat::None,
         Work::Saved,
         "IMAGE.dat --pdf OUT.pdf [--lang LANGUAGE]",
         "print the report into a PDF file",
         "radioprog print IMAGE.dat --pdf OUT.pdf [--lang English|Chinese]",
         "Prints the report of the desktop program into a PDF file: page 1 the radio-wide options,\n"
         "then the channels in use, eight to a page, on A4. --lang picks the labels (default: the\n"
         "Language of Program.ini); the owner line is Copyrights Owner of that language's section.\n"
         "\n"
         "Example:\n"
         "  radioprog print club.dat --pdf club.pdf --lang Chinese\n"},
        {"ports",
         runPorts,
         {{"--json", Argument::None}, {"--watch", Argument::None}},
         {},
         0,
         Repeat::None,
         Work::Printed,
         "[--json] [--watch]",
         "list COM1 to COM4",
         "radioprog ports [--json] [--watch]",
         "Lists COM1 to COM4 with the device each stands for, whether it can be opened now and\n"
         "why not (the system's reason and what to do: the dialout group, which program holds the\n"
         "port), and the USB adapter behind it. COMn is the [Setup] key COMn of Program.ini when it\n"
         "names a device (a /dev/serial/by-id/... link keeps the name on one cable), otherwise the\n"
         "n-th serial device found (/dev/ttyUSB*, /dev/ttyACM*, then /dev/ttyS*). USB serial\n"
         "adapters that are plugged in but have no serial device (brltty took them) are listed with\n"
         "what to do. Looking changes nothing on a port another program uses.\n"
         "\n"
         "  --json    the same as one JSON object, for scripts\n"
         "  --watch   asks to unplug the cable and plug it back in, and tells which device went\n"
         "            and came back; ends when one comes (status 0) or on Ctrl+C (status 1);\n"
         "            with --json one JSON object a line for each event: present, gone,\n"
         "            came, and cable (its device, COM name and by-id name)\n"
         "\n"
         "Example:\n"
         "  radioprog ports --watch\n"},
        // "radioprog help [COMMAND]" is "radioprog [COMMAND] --help".
        {"help",
         nullptr,
         {},
         {{"COMMAND", Argument::Value}},
         0,
         Repeat::None,
         Work::Printed,
         nullptr,
         nullptr,
         nullptr,
         ""},
    };
    return table;
}

const CommandEntry* CommandTable::find(const std::string& name) {
    for (const CommandEntry& command : commands()) {
        if (name == command.name) {
            return &command;
        }
    }
    return nullptr;
}

const std::vector<OptionSpec>& CommandTable::commonOptions() {
    static const std::vector<OptionSpec> options = {
        {"--ini", Argument::Value}, {"--help", Argument::None}, {"--version", Argument::None}};
    return options;
}
