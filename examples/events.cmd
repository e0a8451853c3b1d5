@echo off
rem With /N the text ends with a line end: one time-stamped line per call
tikvan /DTN >> events.log
rem Without /N more text can follow on the same line
tikvan /DT >> events.log
echo  backup started>> events.log
type events.log
