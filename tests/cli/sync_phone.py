#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""A phone for the sync tests: it speaks CalDAV to the test's server, and
reads calendars with python3-icalendar.

  sync_phone.py put URL USER NAME.ics SUMMARY DTSTART     a yearly all-day event
  sync_phone.py edit URL USER SUMMARY NEW_SUMMARY        a new title, the rest kept
  sync_phone.py delete URL USER SUMMARY
  sync_phone.py empty URL USER                            deletes every event
  sync_phone.py list URL USER                             the events, one line each
  sync_phone.py vdir FOLDER                               the same for a vdir
  sync_phone.py displayname URL USER                      the collection's name as calendars show it

URL is the collection's. A line reads "SUMMARY|DTSTART|RRULE" (its parts sorted), sorted.
"""
import base64
import os
import sys
import urllib.request
import xml.etree.ElementTree as ElementTree

import icalendar

PASSWORD = "salakala"


def request(method, url, user, body=None, headers=None):
    token = base64.b64encode(f"{user}:{PASSWORD}".encode()).decode()
    req = urllib.request.Request(url, data=body, method=method,
                                 headers={"Authorization": "Basic " + token, **(headers or {})})
    with urllib.request.urlopen(req, timeout=10) as response:
        return response.read()


def line_of(event):
    rule = event.get("RRULE")
    return "|".join([str(event.get("SUMMARY")), event.decoded("DTSTART").isoformat(),
                     ";".join(sorted(rule.to_ical().decode().split(";"))) if rule else ""])


def lines_of(texts):
    lines = []
    for text in texts:
        for event in icalendar.Calendar.from_ical(text).walk("VEVENT"):
            lines.append(line_of(event))
    return sorted(lines)


def hrefs(url, user):
    answer = request("PROPFIND", url, user, b'<propfind xmlns="DAV:"><prop><getetag/></prop></propfind>',
                     {"Depth": "1", "Content-Type": "application/xml"})
    found = []
    for href in ElementTree.fromstring(answer).iter("{DAV:}href"):
        if href.text.endswith(".ics"):
            found.append(href.text.rsplit("/", 1)[1])
    return found


def titled(url, user, summary):
    """The one event titled `summary`: its file name and calendar."""
    for name in hrefs(url, user):
        calendar = icalendar.Calendar.from_ical(request("GET", url + name, user))
        if any(str(event.get("SUMMARY")) == summary for event in calendar.walk("VEVENT")):
            return name, calendar
    raise SystemExit("no event titled " + summary)


def main(args):
    command = args[0]
    if command == "vdir":
        folder = args[1]
        texts = [open(os.path.join(folder, name), "rb").read() for name in os.listdir(folder)
                 if name.endswith(".ics")]
        print("\n".join(lines_of(texts)))
        return
    url, user = args[1].rstrip("/") + "/", args[2]
    if command == "put":
        name, summary, start = args[3:6]
        text = ("BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Phone//EN\r\nBEGIN:VEVENT\r\n"
                f"UID:{name[:-4]}\r\nDTSTAMP:20260101T000000Z\r\nDTSTART;VALUE=DATE:{start}\r\n"
                f"SUMMARY:{summary}\r\nRRULE:FREQ=YEARLY\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n")
        request("PUT", url + name, user, text.encode(), {"Content-Type": "text/calendar"})
    elif command == "edit":
        name, calendar = titled(url, user, args[3])
        for event in calendar.walk("VEVENT"):
            event["SUMMARY"] = icalendar.vText(args[4])
        request("PUT", url + name, user, calendar.to_ical(), {"Content-Type": "text/calendar"})
    elif command == "delete":
        request("DELETE", url + titled(url, user, args[3])[0], user)
    elif command == "empty":
        for name in hrefs(url, user):
            request("DELETE", url + name, user)
    elif command == "displayname":
        answer = request("PROPFIND", url, user, b'<propfind xmlns="DAV:"><prop><displayname/></prop></propfind>',
                         {"Depth": "0", "Content-Type": "application/xml"})
        print(ElementTree.fromstring(answer).findtext(".//{DAV:}displayname"))
    elif command == "list":
        print("\n".join(lines_of(request("GET", url + name, user) for name in hrefs(url, user))))
    else:
        raise SystemExit("unknown command " + command)


if __name__ == "__main__":
    main(sys.argv[1:])
