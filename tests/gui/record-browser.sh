#!/bin/sh
# Stands in for the browser and mail program: notes what it was asked to open.
echo "$*" >> "${TELVARA_BROWSER_LOG:?}"
