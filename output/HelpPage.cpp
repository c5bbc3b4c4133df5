#include "output/HelpPage.h"

#include "output/MakerInfo.h"

// Three non-breaking spaces between a dialling form and what it means.
#define GAP "&nbsp;&nbsp;&nbsp;"

const char kHelpPageText[] =
    "<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.0 Transitional//EN\"\r\n"
    "    \"http://www.w3.org/TR/xhtml1/DTD/xhtml1-transitional.dtd\">\r\n"
    "<html xmlns=\"http://www.w3.org/1999/xhtml\" xml:lang=\"en\" lang=\"en\">\r\n"
    "<head>\r\n"
    "<title>Telvara info</title>\r\n"
    "<style type=\"text/css\">\r\n"
    "body { font-family: arial, helvetica, sans-serif; font-size: 14px; color: black;"
    " background-color: #fafad2; }\r\n"
    "#titlebox { width: 340px; border-style: double; background-color: #ffff66; text-align: center;"
    " font-weight: bold; line-height: 60%; vertical-align: middle; }\r\n"
    "#titlebox cite { font: italic 10px arial; vertical-align: sub; }\r\n"
    "</style>\r\n"
    "</head>\r\n"
    "<body>\r\n"
    "<div id=\"titlebox\">\r\n"
    "<h1>Telvara</h1>\r\n"
    "<cite>" TELVARA_MAKER_NOTICE
    "</cite>\r\n"
    "</div>\r\n"
    "<h3>What the program does:</h3>\r\n"
    "<blockquote><p>Telvara keeps the phone numbers and addresses of your friends."
    " A double click on a name dials the number through your modem or through the computer's"
    " speakers. The whole list can be printed, so that you can carry it with you."
    " Think of it as the pocket organiser that stays on your desk.</p></blockquote>\r\n"
    "<h3>How to use it:</h3>\r\n"
    "<blockquote>\r\n"
    "<p>Enter your contacts with the <b>New</b> button. Numbers may stand in the Phone number or"
    " the Misc. Info. field; a number that is to be dialled must take one of the following"
    " forms:<br />\r\n<br />\r\n"
    "819-567-1234<br />\r\n"
    "(819) 567-1234<br />\r\n"
    "819.567.1234 - work<br />\r\n"
    "cell 819-567-1234<br />\r\n"
    "1-819-567-1234<br />\r\n"
    "1-800-&quot;CALL-ATT&quot;" GAP
    "letters in quotes get turned into numbers.<br />\r\n"
    "*82,819-567-1234" GAP
    "*82 = turn off caller ID blocking, the comma will create a 2 second pause.<br />\r\n"
    "*82//819-567-1234" GAP
    "/ = 125 millisecond pause, use more if needed.<br />\r\n"
    "567-2342; ext 607" GAP
    "everything after a semicolon is ignored so the extension won't be dialed.</p>\r\n"
    "<p>Numbers may be entered with their area code. Your own area code is not dialled unless"
    " 10 digit dialing is checked in the setup. Click an item to see the digits that will be"
    " dialled on the status line.</p>\r\n"
    "<p>Double-click an item to dial its phone number.<br />\r\n"
    "To dial the number in Misc Info., right-click the item and choose Dial Misc.</p>\r\n"
    "<p>With &quot;Using speakers&quot; chosen in <b>Setup</b>, hold the telephone handset to the"
    " computer's speaker and double-click the number to have it dialled.</p>\r\n"
    "</blockquote>\r\n"
    "<h3>Disclaimer:</h3>\r\n"
    "<blockquote><p>Telvara is offered as is, without any claim that it works on your system;"
    " you use it at your own risk. " TELVARA_MAKER_RIGHTS
    "<br />\r\n"
    "<a href=\"" TELVARA_MAKER_SITE "\">" TELVARA_MAKER_SITE
    "</a></p></blockquote>\r\n"
    "</body>\r\n"
    "</html>\r\n";

const std::size_t kHelpPageLength = sizeof kHelpPageText - 1;
