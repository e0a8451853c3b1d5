@echo off
rem The date and the time of one reading of the clock, in variables.
rem for /f keeps the last line a command writes, and after a mistyped
rem switch that is the usage screen's last line, which looks like a
rem timestamp: so any status but 0 adds the line "failed", and the
rem script stops there instead of using the text.
for /f "delims=" %%t in ('tikvan /DT ^& if errorlevel 1 echo failed') ^
    do set "stamp=%%t"
if "%stamp%"=="failed" (
    echo tikvan gave no timestamp
    exit /b 1
)
echo Started at %stamp%
rem The date and the time in two variables, split from the one text
for /f "tokens=1,2" %%a in ("%stamp%") do (
    set "today=%%a"
    set "now=%%b"
)
echo Date %today%, time %now%
