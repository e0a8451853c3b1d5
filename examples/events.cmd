@echo off
rem With /N the text ends with a line end: one time-stamped line per call
tikvan /DTN >> events.log
if errorlevel 1 exit /b 1
rem Without /N more text can follow on the same line
tikvan /DT >> events.log
if errorlevel 1 exit /b 1
echo  backup started>> events.log
type events.log
