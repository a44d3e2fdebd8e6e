start /wait d:\divxstuff\kelvarro0.7.1\progs\m2apx3g.exe -b d:\divxstuff\kelvarro0.7.1\input\movie.lst -f2 -q0 -r1 -3X 512 -3Y 384 -1 512 384 -a0x80 -o8 d:\divxstuff\kelvarro0.7.1\temp\movie_1.avi
d:\divxstuff\kelvarro0.7.1\progs\azid.exe --stereo=STEREO --dcompr=normal -g8db d:\divxstuff\kelvarro0.7.1\temp\movie_1.avistream0x80.ac3 d:\divxstuff\kelvarro0.7.1\temp\pcmaudio.wav
d:\divxstuff\kelvarro0.7.1\progs\lame.exe -h -b 128 d:\divxstuff\kelvarro0.7.1\temp\pcmaudio.wav d:\divxstuff\kelvarro0.7.1\temp\audio.mp3
d:\divxstuff\kelvarro0.7.1\nandub\nandub.exe /snandub\multi.vcf /x
