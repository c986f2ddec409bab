@REM 水平寸法の追加（寸法値引出し） t482_ハルカゼ
@echo off
goto START
REM #jww
REM #cd
REM #h0
REM #1 追加する計測点を指示して下さい
REM #2 寸法値の位置を指示して下さい
REM #zw
REM #e
:START
t482.exe
