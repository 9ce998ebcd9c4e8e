#include "exchange/Reports.h"

#include <cstdio>
#include <ctime>

#include "app/ColorHelpers.h"
#include "app/Globals.h"
#include "app/Notices.h"
#include "app/Paths.h"
#include "app/STLabel.h"
#include "app/Settings.h"
#include "calendar/Clock.h"
#include "data/Order.h"
#include "data/ProzBalken.h"
#include "data/STOrder.h"
#include "data/STWorker.h"
#include "data/Worker.h"
#include "exchange/MarkupText.h"
#include "kit/app/Autolock.h"
#include "kit/storage/SafeSave.h"

namespace {

constexpr const char* kReadOnly = " OOPS... Volume is READONLY!\n\t ..and no RAMDisk :(";
constexpr const char* kListName = "PrintList.txt";
constexpr const char* kPageName = "userdefout.html";
constexpr const char* kHeadingCell = "<TH BGCOLOR=\"#AAFFAA\"";
constexpr const char* kOpenJobColor = "eeeeee";
constexpr int32 kClosed = 3;

// Where the report went: path, else the fallback folder; "" when neither
// could be written.
std::string SaveReport(const std::string& path, const char* name, const std::string& text)
{
    if (SaveWholeFile(path, text))
        return path;
    const std::string fallback = RamDiskPath(name);
    if (SaveWholeFile(fallback, text))
        return fallback;
    return std::string();
}

std::string Hex(rgb_color color)
{
    return rgb2str(color);
}

// The form's character as a column number (the character minus '0').
int32 Column(char c)
{
    return int32(static_cast<unsigned char>(c)) - '0';
}

Worker* JobWorker(const ProzBalken& job)
{
    // By id: a job's list position goes stale when a worker before it is
    // deleted.
    STWorker* workers = STWorker::Existing();
    return workers != nullptr ? workers->GetWorkerWithID(job.j_id) : nullptr;
}

std::string OpenJobRows(Order& order)
{
    std::string cell = " ";
    for (const std::unique_ptr<ProzBalken>& job : order.jobs) {
        if (!job) {
            printf("Bad *pb\n");
            continue;
        }
        if (job->j_stat != kJStatOpen)
            continue;
        Worker* worker = JobWorker(*job);
        if (worker == nullptr) {
            printf("Bad *worker\n");
            continue;
        }
        // Closes the order's row early; the order's own "</TR>" closes the
        // last of these.
        cell += "</TR>\n<TR BGCOLOR=\"#";
        cell += kOpenJobColor;
        cell += "\"><TD></TD><TD>" + EscapeMarkup(worker->w_name) + "</TD><TD BGCOLOR=\"#" +
                kOpenJobColor + "\">" + EscapeMarkup(job->j_info) + "</TD><TD BGCOLOR=\"#" +
                kOpenJobColor + "\" ALIGN=RIGHT>" + TInt2str(job->j_time) + "</TD>\n";
    }
    return cell;
}

std::string DateCell(Order& order, const std::string& date, const char* gap)
{
    std::string cell = "<TD ALIGN=CENTER";
    if (order.o_over != 0)
        cell += " BGCOLOR=\"#" + Hex(AskColor(uc_KNA)) + "\"";
    return cell + ">" + gap + EscapeMarkup(date) + "</TD>";
}

std::string PageHead(const std::string& name)
{
    const std::string project = EscapeMarkup(name);
    const std::tm now = Clock::LocalNow();
    char stamp[96];
    snprintf(stamp, sizeof(stamp), "\t<TH ALIGN=RIGHT><br>%d/%02i/%02i <br>%02i:%02i </TH>\n",
             now.tm_year + 1900, now.tm_mon + 1, now.tm_mday, now.tm_hour, now.tm_min);
    return "<HTML>\n<HEAD>\n<META http-equiv=\"Content-Type\" content=\"text/html; "
           "charset=UTF-8\">\n"
           "<TITLE> " +
           project +
           ".html </TITLE>\n</HEAD>\n"
           "\n<BODY BGCOLOR=\"#eeeeee\" BACKGROUND=\"bg.gif\">\n"
           "<BASEFONT SIZE=\"2\" FACE=\"ARIAL\">\n"
           "<CENTER>\n"
           "<TABLE WIDTH=560 BORDER=\"0\"><TR>\n"
           "\t<TH WIDTH=400 ALIGN=CENTER><FONT size=6> " +
           project + " </FONT></TH>\n" + stamp + "</TR></TABLE>\n\n<HR WIDTH=560>\n";
}

std::string Legend()
{
    auto status = [](int32 index) { return EscapeMarkup(STLabel::getLabel(o_stat, index)); };
    return "<TABLE WIDTH=560 BORDER=\"1\"><TR>\n"
           "<TD ALIGN=RIGHT><B> Colors: </B></TD>\n"
           "<TD BGCOLOR=\"#" +
           Hex(AskColor(uc_PRE)) + "\" ALIGN=CENTER> " + status(0) +
           " </TD>\n"
           "<TD BGCOLOR=\"#" +
           Hex(AskColor(uc_OPE)) + "\" ALIGN=CENTER> " + status(1) + " / " + status(2) +
           "</TD>\n"
           "<TD BGCOLOR=\"#" +
           Hex(AskColor(uc_BRE)) + "\" ALIGN=CENTER> " + status(4) +
           " </TD>\n"
           "<TD BGCOLOR=\"#" +
           Hex(AskColor(uc_KNA)) + "\" ALIGN=CENTER> " +
           EscapeMarkup(STLabel::getLabel(htmtxt, 5)) +
           " </TD>\n"
           "</TR></TABLE>\n";
}

} // namespace

// MARK: Cells

std::string ReportHeadingCell(int32 column)
{
    const std::string open = kHeadingCell;
    switch (column + '0') {
    case '0':
    case '1':
    case '2':
        return open + ">" + EscapeMarkup(STLabel::getLabel(o_labs, column)) + "</TH>\n";
    case '3':
    case '4':
    case '7':
        return open + " WIDTH=\"10%\">" + EscapeMarkup(STLabel::getLabel(o_labs, column)) +
               "</TH>\n";
    case '5':
        return open + " WIDTH=\"10%\">" + EscapeMarkup(STLabel::getSTLabel()->StatusHeading()) +
               "</TH>\n";
    case '6':
        return open + " WIDTH=\"10%\">" + EscapeMarkup(STLabel::getSTLabel()->TypeHeading()) +
               "</TH>\n";
    case 'o':
    case 'p':
        return open + "> </TH>\n";
    case 'i':
    case '_':
        return " ";
    default:
        return open + ">y</TH>\n";
    }
}

std::string ReportCell(Order& order, int32 column)
{
    if (STWorker::Existing() == nullptr)
        return " ";
    switch (column + '0') {
    case '0':
        return "<TD>" + EscapeMarkup(order.oauft) + "</TD>";
    case '1':
        return "<TD>" + EscapeMarkup(order.oznr) + "</TD>";
    case '2':
        return "<TD>" + EscapeMarkup(order.owkz) + "</TD>";
    case '3':
        return DateCell(order, order.odli, " ");
    case '4':
        return DateCell(order, order.opdl, "");
    case '5':
        return "<TD>" + EscapeMarkup(STLabel::getLabel(o_stat, order.ostat)) + "</TD>";
    case '6':
        return "<TD>" + EscapeMarkup(STLabel::getLabel(o_typ, order.otyp)) + "</TD>";
    case '7':
        return "<TD ALIGN=RIGHT>" + TInt2str(order.o_sum) + "</TD>";
    case 'o':
    case 'p':
        return OpenJobRows(order);
    case 'i':
    case '_':
        return " ";
    default:
        // Beyond the digits the form's letters name characters such as '<'.
        return "|" + EscapeMarkup(std::string(1, char(column)));
    }
}

bool JobToText(ProzBalken& job, std::string& out)
{
    Worker* worker = JobWorker(job);
    if (worker == nullptr) {
        printf("ProzBalken::PrintToFile Bad worker %ld\n", long(job.wko_nr));
        return false;
    }
    out += " - " + worker->w_name + "\t\t[" + TInt2str(job.j_time) + " std]\t[" +
           STLabel::getLabel(pb_lab, job.j_stat) + "]\n";
    return true;
}

// MARK: Reports

int32 WriteOrderList(STOrder& orders, const char* path)
{
    const std::string target = path != nullptr && *path != '\0'
                                   ? std::string(path)
                                   : BuildPath(path2app, kDefsFolder, "PrintList", ".txt");
    std::string written;
    {
        BAutolock lock(orders.Lock());
        std::string text;
        const int32 count = orders.GetOMax() + 1;
        for (int32 i = 0; i < count; i++) {
            Order* order = orders.GetOrder(i);
            if (order == nullptr)
                continue;
            text += order->oauft + "\t DL:" + order->odli + "  PT:" + order->opdl + "\t" +
                    STLabel::getLabel(o_stat, order->ostat) + "\n";
            for (const std::unique_ptr<ProzBalken>& job : order->jobs) {
                if (job)
                    JobToText(*job, text);
            }
        }
        written = SaveReport(target, kListName, text);
        if (!written.empty())
            printf(" STOrder-PrintList-END  [%d|%s]\n", int(count), written.c_str());
    }
    if (written.empty()) {
        AnyAlert(kReadOnly);
        return 0;
    }
    BAutolock lock(orders.Lock());
    OpenFileWithTracker(written.c_str(), 0);
    return 1;
}

bool WriteOrderReport(STOrder& orders, const std::string& form)
{
    if (form.size() < 2) {
        printf("'%s' Formular to short!\n", form.c_str());
        return false;
    }
    const std::string snapshot = UserSNAP_IMG;
    const std::string image = EscapeMarkup(snapshot);
    std::string written;
    {
        BAutolock lock(orders.Lock());
        std::string text = PageHead(orders.Name());
        text += "<TABLE WIDTH=\"560\" BORDER=\"0\" cellspacing=\"1\" cellpadding=\"1\">\n";
        for (char c : form)
            text += ReportHeadingCell(Column(c));
        text += "\n";
        for (int32 i = 0; i <= orders.GetOMax(); i++) {
            Order* order = orders.GetOrder(i);
            if (order == nullptr || order->ostat == kClosed)
                continue;
            text += "<TR BGCOLOR=\"#" + Hex(order->StatusColor()) + "\">\n";
            for (char c : form)
                text += ReportCell(*order, Column(c)) + "\n";
            text += "</TR>\n";
        }
        text += "</TABLE>\n";
        text += Legend();
        if (form.find('i') != std::string::npos) {
            text += "\n<BR><BR><CENTER><IMG SRC=\"" + image + "\" ALT=\"" + image +
                    "\"></CENTER><BR>\n";
        }
        text += "</CENTER></BODY></HTML>\n\r\n";
        written = SaveReport(BuildPath(path2app, kDefsFolder, kPageName), kPageName, text);
        if (!written.empty())
            printf("SNAP_IMG: %s\n", snapshot.c_str());
    }
    if (written.empty()) {
        AnyAlert(kReadOnly);
        return false;
    }
    BAutolock lock(orders.Lock());
    OpenFileWithTracker(written.c_str(), 0);
    return true;
}

// MARK: The records' own reports

std::string Order::LabelOut(int32 column)
{
    return ReportHeadingCell(column);
}

std::string Order::ContentOut(int32 column)
{
    return ReportCell(*this, column);
}

bool ProzBalken::PrintAscToFile(std::string& out)
{
    return JobToText(*this, out);
}

int32 STOrder::PrintListAsc(const char* path)
{
    return WriteOrderList(*this, path);
}

bool STOrder::UserDefOut(const std::string& form)
{
    return WriteOrderReport(*this, form);
}
