@echo off
rem The whole text in one variable
for /f "delims=" %%t in ('tikvan /DT') do set "stamp=%%t"
echo Started at %stamp%

rem The date and the time of one reading of the clock, in two variables
for /f "tokens=1,2" %%a in ('tikvan /DT') do (
    set "today=%%a"
    set "now=%%b"
)
echo Date %today%, time %now%
